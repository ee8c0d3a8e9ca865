#pragma once
// A catalogue for main-window tests: no stars, and a place list of 572 entries whose entry 571 is
// Chemnitz, as in the real list.
#include <QString>

#include "ui/catalogue.h"

namespace zenitra::testing {

inline Catalogue SmallCatalogue() {
  Catalogue c;
  for (int i = 0; i < 572; ++i) {
    const QString name = i == 571 ? QStringLiteral("Chemnitz, D") : QStringLiteral("Ort %1, X").arg(i);
    c.PlaceNames << name;
    c.Places << (i == 571 ? name + QStringLiteral("\t50.836667\t12.854444\t1\tEurope/Berlin")
                          : name + QStringLiteral("\t%1\t%2\t+2").arg(i % 80).arg(i % 170));
  }
  return c;
}

}  // namespace zenitra::testing
