#include "app/own_places.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimeZone>
#include <cmath>
#include <optional>

#include "ui/catalogue.h"
#include "app/tfhimmel.h"

namespace zenitra {

namespace {

// A number typed with a decimal point or a German comma.
std::optional<double> TypedNumber(const QString& text) {
  QString t = text.trimmed();
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double v = t.toDouble(&ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace

OwnPlaceResult OwnPlaceRecord(const OwnPlaceInput& input, const QStringList& existingNames) {
  const QString name = input.Name.simplified();
  if (name.isEmpty()) return {{}, QStringLiteral("Bitte einen Namen für den Ort angeben.")};
  if (name.contains(QLatin1Char('\t'))) return {{}, QStringLiteral("Der Name darf keinen Tabulator enthalten.")};
  for (const QString& existing : existingNames) {
    if (existing.compare(name, Qt::CaseInsensitive) == 0) {
      return {{}, QStringLiteral("Einen Ort \"%1\" gibt es schon in der Ortsliste.").arg(name)};
    }
  }
  const std::optional<double> latitude = TypedNumber(input.Latitude);
  if (!latitude || std::fabs(*latitude) > 90.0) {
    return {{}, QStringLiteral("Ungültige Breite \"%1\": erwartet Grad von -90 (Süd) bis 90 (Nord).").arg(input.Latitude)};
  }
  const std::optional<double> longitude = TypedNumber(input.Longitude);
  if (!longitude || std::fabs(*longitude) > 180.0) {
    return {{},
            QStringLiteral("Ungültige Länge \"%1\": erwartet Grad von -180 (West) bis 180 (Ost).").arg(input.Longitude)};
  }
  const std::optional<double> zone = TypedNumber(input.Zone);
  if (!zone || std::fabs(*zone) > 14.0) {
    return {{},
            QStringLiteral("Ungültige Zeitzone \"%1\": erwartet Stunden von -14 bis 14, z. B. 1 oder -4,5.").arg(input.Zone)};
  }
  const QString zoneId = input.ZoneId.trimmed();
  if (!zoneId.isEmpty() && !QTimeZone::isTimeZoneIdAvailable(zoneId.toUtf8())) {
    return {{}, QStringLiteral("Die Zeitzone \"%1\" ist unbekannt: erwartet einen Namen wie \"Europe/Berlin\" "
                               "oder nichts.")
                    .arg(zoneId)};
  }
  QString record = QStringLiteral("%1\t%2\t%3\t%4")
                       .arg(name)
                       .arg(*latitude, 0, 'f', 6)
                       .arg(*longitude, 0, 'f', 6)
                       .arg(*zone, 0, 'g', 6);
  if (!zoneId.isEmpty()) record += QLatin1Char('\t') + zoneId;
  if (!ParsePlaceRecord(record)) return {{}, QStringLiteral("Der Ort lässt sich so nicht speichern.")};
  return {record, {}};
}

QString OwnPlacesPath(const QString& settingsFilePath) {
  return QFileInfo(settingsFilePath).absolutePath() + QStringLiteral("/eigene_orte.txt");
}

QStringList ReadOwnPlaces(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList records;
  for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
    const QString record = line.trimmed();
    if (ParsePlaceRecord(record)) records.append(record);
  }
  return records;
}

QString AppendOwnPlace(const QString& fileName, const QString& record) {
  QFile file(fileName);
  if (!file.open(QIODevice::Append) || file.write((record + QLatin1Char('\n')).toUtf8()) < 0 || !file.flush()) {
    return QStringLiteral("Der Ort konnte nicht in \"%1\" gespeichert werden: %2").arg(fileName, file.errorString());
  }
  return {};
}

void EnterOwnPlace(Tfhimmel& window) {
  QDialog dialog(&window);
  dialog.setWindowTitle(QStringLiteral("Eigener Ort"));
  auto* form = new QFormLayout(&dialog);
  auto* name = new QLineEdit(&dialog);
  auto* latitude = new QLineEdit(&dialog);
  latitude->setPlaceholderText(QStringLiteral("z. B. 50,83 (Nord positiv)"));
  auto* longitude = new QLineEdit(&dialog);
  longitude->setPlaceholderText(QStringLiteral("z. B. 12,92 (Ost positiv)"));
  auto* zone = new QLineEdit(&dialog);
  zone->setPlaceholderText(QStringLiteral("Stunden, z. B. 1"));
  auto* zoneId = new QLineEdit(&dialog);
  zoneId->setPlaceholderText(QStringLiteral("optional, z. B. Europe/Berlin"));
  form->addRow(QStringLiteral("Name"), name);
  form->addRow(QStringLiteral("Breite (Grad)"), latitude);
  form->addRow(QStringLiteral("Länge (Grad)"), longitude);
  form->addRow(QStringLiteral("Zeitzone (Stunden)"), zone);
  form->addRow(QStringLiteral("IANA-Zeitzone"), zoneId);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Speichern"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  form->addRow(buttons);
  QString record;
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    const OwnPlaceResult result =
        OwnPlaceRecord({name->text(), latitude->text(), longitude->text(), zone->text(), zoneId->text()},
                       window.CatalogueData().PlaceNames);
    QString error = result.Error;
    if (error.isEmpty()) error = AppendOwnPlace(OwnPlacesPath(window.SettingsPath()), result.Record);
    if (!error.isEmpty()) {
      QMessageBox::warning(&dialog, dialog.windowTitle(), error);
      return;
    }
    record = result.Record;
    dialog.accept();
  });
  if (window.RunModal(dialog) != QDialog::Accepted) return;
  window.ComboBox1->setCurrentIndex(window.AddPlace(record));
}

}  // namespace zenitra
