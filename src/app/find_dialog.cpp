#include "app/find_dialog.h"

#include <QAction>
#include <QCompleter>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>
#include <cmath>

#include "sky/find_object.h"
#include "sky/projection.h"
#include "sky/sky_renderer.h"
#include "app/tfhimmel.h"
#include "ui/time_zone.h"

namespace zenitra {

namespace {

const QString kMarkName = QStringLiteral("zenitraFindMark");
constexpr int kMarkRadius = 14;

// The found object, kept by the window until the next search: the drawing marks it wherever it
// stands at the shown moment.
class FindMark : public QObject {
 public:
  explicit FindMark(Tfhimmel& window) : QObject(&window), window_(window) { setObjectName(kMarkName); }
  // Built at the first search, not at start-up: the names of 1739 stars take a while to index.
  const std::vector<FindTarget>& Targets() {
    if (!targets_) targets_ = FindTargets(window_.CatalogueData());
    return *targets_;
  }
  std::optional<FindTarget> Marked;

 private:
  const Tfhimmel& window_;
  std::optional<std::vector<FindTarget>> targets_;
};

FindMark& MarkOf(Tfhimmel& window) {
  if (auto* mark = window.findChild<QObject*>(kMarkName, Qt::FindDirectChildrenOnly)) {
    return *static_cast<FindMark*>(mark);
  }
  return *new FindMark(window);
}

void DrawMark(const FindMark& mark, const Tfhimmel& window, SkyCanvas& canvas, const ProjectionFrame& frame) {
  if (!mark.Marked) return;
  const std::optional<SkyPlace> sky =
      TargetSkyPlace(*mark.Marked, window.CatalogueData(), frame.Moment, window.View().Place);
  ScreenPoint point;
  if (!sky || !ProjectToScreen(frame, sky->AlphaRad, sky->DeltaRad, point)) return;
  canvas.FlushLines();
  canvas.Raster([&point](QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 200, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(point.X, point.Y), kMarkRadius, kMarkRadius);
    for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
      p.drawLine(QPoint(point.X, point.Y) + d * (kMarkRadius + 2), QPoint(point.X, point.Y) + d * (kMarkRadius + 8));
    }
    p.restore();
  });
}

QString ClockText(const Tfhimmel& window, double jdUt) {
  const QDateTime instant =
      QDateTime::fromMSecsSinceEpoch(std::llround((jdUt - 2440587.5) * 86400000.0), Qt::UTC);
  const LocalMoment clock = PlaceClockAt(window.View().Place, instant, window.View().Switches.SummerTime).Clock;
  return QStringLiteral("%1.%2.%3 um %4:%5 Uhr")
      .arg(clock.Day, 2, 10, QLatin1Char('0'))
      .arg(clock.Month, 2, 10, QLatin1Char('0'))
      .arg(clock.Year)
      .arg(clock.Hour, 2, 10, QLatin1Char('0'))
      .arg(clock.Minute, 2, 10, QLatin1Char('0'));
}

}  // namespace

std::optional<QString> AskName(QWidget* parent, const QString& title, const QString& label,
                               const std::function<QStringList(const QString&)>& complete) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(label, &dialog));
  auto* edit = new QLineEdit(&dialog);
  edit->setMinimumWidth(320);
  layout->addWidget(edit);
  // The list is filtered here, by the folded names; the completer only shows it.
  auto* model = new QStringListModel(&dialog);
  auto* completer = new QCompleter(model, &dialog);
  completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  edit->setCompleter(completer);
  QObject::connect(edit, &QLineEdit::textEdited, &dialog, [=](const QString& text) {
    model->setStringList(complete(text));
    completer->complete();
  });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Suchen"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted || edit->text().trimmed().isEmpty()) return std::nullopt;
  return edit->text();
}

QString FindInMap(Tfhimmel& window, const QString& typed) {
  FindMark& mark = MarkOf(window);
  const std::optional<FindTarget> target = FindTargetNamed(mark.Targets(), typed);
  if (!target) {
    return QStringLiteral("\"%1\" ist weder ein Stern noch ein Sternbild, ein Planet, die Sonne oder der Mond.")
        .arg(typed.trimmed());
  }
  const SkyView& view = window.View();
  const ProjectionFrame frame = MakeProjectionFrame(window.PB1->width(), window.PB1->height(), view.Moment, view.Place,
                                                    view.CentreAzimuth, view.Switches.SummerTime);
  const std::optional<SkyPlace> sky = TargetSkyPlace(*target, window.CatalogueData(), frame.Moment, view.Place);
  if (!sky) return QStringLiteral("\"%1\" hat keinen Ort am Himmel.").arg(target->Display);
  const HorizontalPlace here = HorizontalOf(*sky, frame.Theta, view.Place.LatitudeDeg);
  mark.Marked = target;
  // The Moon is drawn only with its switch on; whoever looks for it wants to see it.
  if (target->Kind == FindKind::Moon && !view.Switches.Moon) {
    if (QAction* moon = window.MenuAction(QStringLiteral("Mond"))) moon->trigger();
  }
  // The map's azimuth field takes whole degrees, -180..180: the object stands at most half a
  // degree from the middle.
  int azimuth = static_cast<int>(std::lround(here.AzimuthDeg));
  if (azimuth > 180) azimuth -= 360;
  window.SetDirection(azimuth);
  if (here.AltitudeDeg >= 0.0) return {};
  const std::optional<double> rising =
      NextRising(*target, window.CatalogueData(), view.Place, frame.Moment, frame.Theta);
  if (!rising) {
    return QStringLiteral("%1 steht unter dem Horizont und geht in den nächsten zwei Tagen nicht auf.")
        .arg(target->Display);
  }
  return QStringLiteral("%1 steht unter dem Horizont. Aufgang am %2.").arg(target->Display, ClockText(window, *rising));
}

QStringList PlaceCompletions(const QStringList& placeNames, const QString& typed, int limit) {
  const QString key = SearchKey(typed);
  QStringList found;
  if (key.isEmpty()) return found;
  for (const QString& name : placeNames) {
    if (SearchKey(name).startsWith(key)) found.append(name);
    if (found.size() >= limit) break;
  }
  return found;
}

QString FindPlace(Tfhimmel& window, const QString& typed) {
  const QString key = SearchKey(typed);
  int only = -1;
  int count = 0;
  for (int i = 0; i < window.ComboBox1->count(); ++i) {
    const QString name = SearchKey(window.ComboBox1->itemText(i));
    if (name == key) {
      only = i;
      count = 1;
      break;
    }
    if (!key.isEmpty() && name.startsWith(key)) {
      only = i;
      ++count;
    }
  }
  if (count == 0) return QStringLiteral("Kein Ort der Ortsliste heißt \"%1\".").arg(typed.trimmed());
  if (count > 1) {
    return QStringLiteral("Mehrere Orte beginnen mit \"%1\"; bitte den Namen genauer angeben.").arg(typed.trimmed());
  }
  window.ComboBox1->setCurrentIndex(only);
  return {};
}

void AddFindCommands(Tfhimmel& window, QMenu* menu) {
  FindMark& mark = MarkOf(window);
  const auto previous = window.LayerHooks.Panels;
  window.LayerHooks.Panels = [previous, &mark, &window](SkyCanvas& canvas, const ProjectionFrame& frame) {
    if (previous) previous(canvas, frame);
    DrawMark(mark, window, canvas, frame);
  };
  QAction* find = menu->addAction(QStringLiteral("Suchen…"));
  find->setShortcut(QKeySequence::Find);
  QObject::connect(find, &QAction::triggered, &window, [&window, &mark] {
    const std::optional<QString> typed =
        AskName(&window, QStringLiteral("Suchen"), QStringLiteral("Stern, Sternbild, Planet, Sonne oder Mond:"),
                [&mark](const QString& text) { return CompletionsFor(mark.Targets(), text); });
    if (!typed) return;
    const QString message = FindInMap(window, *typed);
    if (!message.isEmpty()) window.ShowMessage(message);
  });
  QAction* place = menu->addAction(QStringLiteral("Ort suchen"));
  QObject::connect(place, &QAction::triggered, &window, [&window] {
    const std::optional<QString> typed =
        AskName(&window, QStringLiteral("Ort suchen"), QStringLiteral("Ort:"), [&window](const QString& text) {
          return PlaceCompletions(window.CatalogueData().PlaceNames, text);
        });
    if (!typed) return;
    const QString message = FindPlace(window, *typed);
    if (!message.isEmpty()) window.ShowMessage(message);
  });
}

}  // namespace zenitra
