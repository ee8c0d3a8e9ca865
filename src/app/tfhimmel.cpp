#include "app/tfhimmel.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>

#include "calendar_windows/day_night_window.h"
#include "calendar_windows/moon_calendar_window.h"
#include "calendar_windows/year_calendar_window.h"
#include "core/time_scales.h"
#include "planet_windows/orbits_window.h"
#include "app/main_window_menus.h"
#include "sky/panorama.h"
#include "sky/projection.h"
#include "sky/sky_mouse.h"
#include "sky/star_information.h"
#include "ui/backing_store_surface.h"
#include "ui/date_field.h"
#include "ui/fonts.h"
#include "ui/time_zone.h"

namespace zenitra {

namespace {

// The entry "Chemnitz, D" of the place list, selected when no place is stored.
constexpr int kDefaultPlaceIndex = 571;
// The designed drawing area and the top bar above it, pixels.
constexpr int kDrawingWidth = 1054;
constexpr int kDrawingHeight = 664;
constexpr int kTopBarHeight = 28;
// The four direction items of the display menu and the azimuth each puts in the middle.
struct CentreDirection {
  const char16_t* Caption;
  int Azimuth;
};
constexpr std::array<CentreDirection, 4> kCentreDirections = {
    {{u"Osten im Zentrum", -90}, {u"Süden im Zentrum", 0}, {u"Westen im Zentrum", 90}, {u"Norden im Zentrum", 180}}};

QImage NewCanvas(QSize size) {
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 dpi, the designed resolution
  image.setDotsPerMeterY(3780);
  return image;
}

// The place list, as wide as its widest name like a combo box sized to its contents, but found
// without shaping all 3448 names, which took a fifth of the start-up. A name's width is first
// estimated as the sum of its characters' advances (one measurement per distinct character);
// only the names within 10 % of the widest estimate, and names with characters beyond the
// estimate's table, are then measured exactly.
class PlaceBox final : public QComboBox {
 public:
  // The names live in a string list model, which keeps the catalogue's list as it is, where the
  // combo box's own model would make an item of every name (3448 at start, each freed at the end).
  explicit PlaceBox(QWidget* parent) : QComboBox(parent), names_(new QStringListModel(this)) {
    setModel(names_);
    connect(names_, &QAbstractItemModel::rowsInserted, this, [this] {
      hint_ = QSize();
      updateGeometry();
    });
  }
  void SetNames(const QStringList& names) {
    names_->setStringList(names);
    hint_ = QSize();
    updateGeometry();
  }
  QSize sizeHint() const override { return Hint(); }
  // As with a box sized to its contents: its smallest size shows the widest name too.
  QSize minimumSizeHint() const override { return Hint(); }

 protected:
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) hint_ = QSize();
    QComboBox::changeEvent(event);
  }

 private:
  int WidestNameWidth() const {
    const QFontMetrics fm = fontMetrics();
    constexpr char16_t kTableSize = 0x300;  // Latin, Latin-1 and the Latin extensions
    std::array<int, kTableSize> advance;
    advance.fill(-1);
    // The names straight from the list, not one item text at a time through the model.
    const QStringList names = names_->stringList();
    const qsizetype count = names.size();
    std::vector<int> estimate(static_cast<std::size_t>(count), -1);
    int widest = 0;
    int widestEstimate = 0;
    for (qsizetype i = 0; i < count; ++i) {
      const QString& name = names[i];
      int sum = 0;
      bool estimated = true;
      for (const QChar c : name) {
        if (c.unicode() >= kTableSize) {
          estimated = false;
          break;
        }
        int& a = advance[c.unicode()];
        if (a < 0) a = fm.horizontalAdvance(c);
        sum += a;
      }
      if (estimated) {
        estimate[static_cast<std::size_t>(i)] = sum;
        widestEstimate = std::max(widestEstimate, sum);
      } else {
        widest = std::max(widest, fm.boundingRect(name).width());
      }
    }
    const int threshold = widestEstimate - widestEstimate / 10;
    for (qsizetype i = 0; i < count; ++i) {
      if (estimate[static_cast<std::size_t>(i)] >= threshold) {
        widest = std::max(widest, fm.boundingRect(names[i]).width());
      }
    }
    return widest;
  }
  QSize Hint() const {
    if (!hint_.isValid()) {
      // The text area as QComboBox measures it, then the frame and arrow the style adds.
      const QSize text(count() == 0 ? 7 * fontMetrics().horizontalAdvance(u'x') : WidestNameWidth(),
                       std::max(static_cast<int>(std::ceil(QFontMetricsF(fontMetrics()).height())), 14) + 2);
      QStyleOptionComboBox option;
      initStyleOption(&option);
      hint_ = style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
    }
    return hint_;
  }
  QStringListModel* names_;
  mutable QSize hint_;
};

}  // namespace

// ---- SkyPaintBox ------------------------------------------------------------------------------

SkyPaintBox::SkyPaintBox(Tfhimmel& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(false);
}

void SkyPaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (std::optional<QImage> surface = BackingStoreSurface(*this, painter, *event)) {
    painter.end();
    owner_.malen(*surface);
    return;
  }
  // Drawn off-screen and copied in one piece, so the map never flickers. The drawing covers the
  // whole picture (it begins with the black sky), so the picture of the last frame is reused while
  // the size stays: a new one would cost a fresh 2.8 MB of pages on every frame.
  const QSize wanted = size().expandedTo(QSize(1, 1));
  if (canvas_.size() != wanted) canvas_ = NewCanvas(wanted);
  owner_.malen(canvas_);
  painter.drawImage(0, 0, canvas_);
}

void SkyPaintBox::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  owner_.PB1MouseDown(p.x(), p.y());
}
void SkyPaintBox::mouseMoveEvent(QMouseEvent* event) { owner_.PB1MouseMove(event->position().toPoint().x()); }
void SkyPaintBox::mouseReleaseEvent(QMouseEvent*) { owner_.PB1MouseUp(); }

// ---- Tfhimmel ---------------------------------------------------------------------------------

Tfhimmel::Tfhimmel(Catalogue catalogue, QString settingsFolder, QWidget* parent)
    : QMainWindow(parent),
      catalogue_(std::move(catalogue)),
      geometry_(PrepareSkyGeometry(catalogue_)),
      settingsFolder_(settingsFolder.isEmpty() ? DefaultSettingsFolder() : std::move(settingsFolder)) {
  setWindowTitle(QStringLiteral("Aktueller Zenitra"));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(240, 240, 240));
  setPalette(pal);
  ShowMessage = [this](const QString& text) { QMessageBox::information(this, windowTitle(), text); };
  RunModal = [](QDialog& dialog) { return dialog.exec(); };
  ShowStarInformation = [this](const QString& text, QPoint topLeft) {
    // The text's lines end in line feed and carriage return; the box breaks at the line feed.
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), QString(text).remove(u'\r'),
                    QMessageBox::Ok, this);
    box.move(topLeft);
    box.exec();
  };

  Timer1 = new QTimer(this);
  Timer1->setInterval(stepIntervalMs_);
  Timer2 = new QTimer(this);
  Timer2->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, &Tfhimmel::AnimationStepsDue);
  steadyClock_.start();
  frameTimer_ = new QTimer(this);
  frameTimer_->setSingleShot(true);
  frameTimer_->setTimerType(Qt::PreciseTimer);
  connect(frameTimer_, &QTimer::timeout, this, [this] { PB1->update(); });
  connect(Timer2, &QTimer::timeout, this, &Tfhimmel::Timer2Timer);

  // The menus lay out no text yet; the top bar's fields do, and wait for the fonts first.
  BuildMenu();
  AwaitFontConfiguration();
  BuildTopBar();
  // The top bar's constellation button works the menu's switch.
  connect(S5, &QToolButton::clicked, MenuAction(QStringLiteral("Sternbildlinien")), &QAction::trigger);
  AddFileAndHelpMenus(*this);  // with the own places, which join the top bar's place list
  information_ = std::make_unique<InformationWindows>(this, [this] { return view_.Place; });
  // A planet's window runs through this window's one seam for modal windows.
  information_->RunModal = [this](Tuplanet& window) { RunModal(window); };
  // Step 20 of every drawing: the visible information windows follow the shown moment.
  LayerHooks.InformationWindows = [this](const InfoWindowMoment& m) { information_->RefreshVisible(m); };
  connect(this, &Tfhimmel::BodyClicked, this, &Tfhimmel::OpenBodyWindow);
  // The designed drawing area is 1054 x 664 pixels; the window's size follows from it and the bars
  // above it (applying the designed outer size 1070 x 751 to the inside gave 1070 x 704).
  resize(kDrawingWidth, kDrawingHeight + menuBar()->sizeHint().height() + kTopBarHeight);
  if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());

  // Every switch and name mode off, direction forwards; the clock time of now, the date comes at
  // the first activation.
  view_.Switches = DisplaySwitches{};
  animation_.Direction = 1.0;
  const QTime now = QTime::currentTime();
  view_.Moment.Hour = now.hour();
  view_.Moment.Minute = now.minute();
  view_.Moment.Second = now.second();
  Now = &QDateTime::currentDateTimeUtc;
}

void Tfhimmel::BuildTopBar() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* P1 = new QWidget(central);
  P1->setFixedHeight(kTopBarHeight);
  auto* row = new QHBoxLayout(P1);
  row->setContentsMargins(2, 1, 2, 1);
  row->setSpacing(3);
  const auto button = [&](const QString& text, const QString& hint) {
    auto* b = new QToolButton(P1);
    b->setText(text);
    b->setToolTip(hint);
    b->setFixedSize(26, 25);
    row->addWidget(b);
    return b;
  };
  S20 = button(QStringLiteral("▶"), QStringLiteral("Start und Stop der Animation"));
  RxSpinEdit1 = new QSpinBox(P1);
  RxSpinEdit1->setRange(1, 100);
  RxSpinEdit1->setValue(80);
  RxSpinEdit1->setToolTip(QStringLiteral("Geschwindigkeit steuern"));
  row->addWidget(RxSpinEdit1);
  S34 = button(QStringLiteral("⟳"), QStringLiteral("Ansicht aktualisieren"));
  S34->setCheckable(true);
  CB1 = new QComboBox(P1);
  CB1->addItems(AnimationStepCaptions());
  CB1->setCurrentIndex(-1);
  row->addWidget(CB1);
  S29 = button(QStringLiteral("⇄"), QStringLiteral("Zeitlauf rückwärts"));
  S29->setCheckable(true);
  DE1 = new DateField(QDate::currentDate(), P1);
  DE1->setToolTip(QStringLiteral("Datumseingabe"));
  row->addWidget(DE1);
  cb2 = new QComboBox(P1);
  row->addWidget(cb2);
  S7 = button(QStringLiteral("S"), QStringLiteral("Sternnamen"));
  S25 = button(QStringLiteral("SB"), QStringLiteral("Sternbildnamen"));
  S5 = button(QStringLiteral("✶"), QStringLiteral("Sternbildlinien"));
  row->addWidget(new QLabel(QStringLiteral("  Ort"), P1));
  auto* places = new PlaceBox(P1);
  places->SetNames(catalogue_.PlaceNames);
  ComboBox1 = places;
  ComboBox1->setMaxVisibleItems(16);
  ComboBox1->setCurrentIndex(-1);
  ComboBox1->setMinimumWidth(200);
  row->addWidget(ComboBox1);
  row->addWidget(new QLabel(QStringLiteral("  Azimut"), P1));
  rx2 = new QSpinBox(P1);
  rx2->setRange(-180, 180);
  rx2->findChild<QLineEdit*>()->setMaxLength(4);
  row->addWidget(rx2);
  row->addStretch(1);
  column->addWidget(P1);

  auto* panel = new QWidget(central);
  panel->setAutoFillBackground(true);
  QPalette black = panel->palette();
  black.setColor(QPalette::Window, Qt::black);
  panel->setPalette(black);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  PB1 = new SkyPaintBox(*this, panel);
  panelLayout->addWidget(PB1);
  column->addWidget(panel, 1);
  setCentralWidget(central);

  connect(S20, &QToolButton::clicked, this, &Tfhimmel::StartStop);
  connect(S29, &QToolButton::clicked, this, &Tfhimmel::Reverse);
  connect(S34, &QToolButton::clicked, this, &Tfhimmel::RealTimeClicked);
  connect(S7, &QToolButton::clicked, this, &Tfhimmel::CycleStarNames);
  connect(S25, &QToolButton::clicked, this, &Tfhimmel::CycleConstellationNames);
  connect(RxSpinEdit1, &QSpinBox::valueChanged, this,
          [this](int speed) { SetStepInterval(TimerIntervalForSpeed(speed)); });
  connect(DE1, &QDateEdit::dateChanged, this, &Tfhimmel::DE1Change);
  connect(cb2, &QComboBox::currentIndexChanged, this, &Tfhimmel::cb2Change);
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &Tfhimmel::ComboBox1Change);
  connect(rx2, &QSpinBox::valueChanged, this, [this](int azimuth) {
    view_.CentreAzimuth = azimuth;
    Repaint();
  });
}

QAction* Tfhimmel::AddSwitch(QMenu* menu, const QString& caption, bool DisplaySwitches::*flag) {
  QAction* action = menu->addAction(caption);
  action->setCheckable(true);
  actions_.insert(caption, action);
  connect(action, &QAction::triggered, this, [this, action, flag] {
    view_.Switches.*flag = !(view_.Switches.*flag);
    action->setChecked(view_.Switches.*flag);
    Repaint();
  });
  return action;
}

void Tfhimmel::BuildMenu() {
  QMenuBar* bar = menuBar();
  QAction* end = bar->addAction(QStringLiteral("&Ende"));
  actions_.insert(QStringLiteral("Ende"), end);
  connect(end, &QAction::triggered, this, &QWidget::close);

  QMenu* simulation = bar->addMenu(QStringLiteral("&Simulation"));
  QAction* startStop = simulation->addAction(QStringLiteral("Simulation"));
  startStop->setCheckable(true);
  startStop->setShortcut(Qt::Key_F2);
  actions_.insert(QStringLiteral("Simulation"), startStop);
  connect(startStop, &QAction::triggered, this, &Tfhimmel::StartStop);
  const auto command = [&](QMenu* menu, const QString& caption, void (Tfhimmel::*handler)()) {
    QAction* a = menu->addAction(caption);
    actions_.insert(caption, a);
    connect(a, &QAction::triggered, this, handler);
    return a;
  };
  command(simulation, QStringLiteral("Zeitlauf umkehren"), &Tfhimmel::Reverse);
  simulation->addSeparator();
  command(simulation, QStringLiteral("Simulation langsamer"), &Tfhimmel::Slower);
  command(simulation, QStringLiteral("Simulation schneller"), &Tfhimmel::Faster);
  simulation->addSeparator();
  // One step of the chosen size by hand, forwards or backwards (Alt with the arrow keys: the date
  // and time fields keep the plain and Ctrl arrows for themselves).
  command(simulation, QStringLiteral("Einen Schritt vor"), &Tfhimmel::StepForward)->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
  command(simulation, QStringLiteral("Einen Schritt zurück"), &Tfhimmel::StepBackward)->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));

  // The display switches of a menu, from their table; a name mode cycles instead of toggling.
  const auto addSwitches = [this](QMenu* menu, SwitchMenu which) {
    for (const DisplaySwitchEntry& e : kDisplaySwitchTable) {
      if (e.Menu != which) continue;
      if (e.SeparatorBefore) menu->addSeparator();
      const QString caption = QString::fromUtf16(e.Caption);
      if (e.Flag) {
        (void)AddSwitch(menu, caption, e.Flag);
        continue;
      }
      QAction* a = menu->addAction(caption);
      a->setCheckable(true);
      actions_.insert(caption, a);
      connect(a, &QAction::triggered, this, [this, mode = e.Mode] { CycleNameMode(mode); });
    }
  };
  QMenu* display = bar->addMenu(QStringLiteral("&Darstellung"));
  addSwitches(display, SwitchMenu::Display);
  display->addSeparator();
  for (const CentreDirection& d : kCentreDirections) {
    QAction* a = display->addAction(QString::fromUtf16(d.Caption));
    a->setCheckable(true);
    a->setChecked(d.Azimuth == 0);
    actions_.insert(a->text(), a);
    connect(a, &QAction::triggered, this, [this, azimuth = d.Azimuth] { SetDirection(azimuth); });
  }

  QMenu* more = bar->addMenu(QStringLiteral("&Zusatzinformationen"));
  const std::pair<const char16_t*, void (InformationWindows::*)(const InfoWindowMoment&)> windows[] = {
      {u"Mondparameter", &InformationWindows::ShowMoon},
      {u"Sonnenparameter", &InformationWindows::ShowSun},
      {u"Ephemeridentabelle", &InformationWindows::ShowEphemeris}};
  for (const auto& [caption, show] : windows) {
    QAction* a = more->addAction(QString::fromUtf16(caption));
    actions_.insert(a->text(), a);
    // clang before 16 cannot capture a structured binding; the init-capture copies the pointer.
    connect(a, &QAction::triggered, this, [this, show = show] { (information_.get()->*show)(ShownInfoMoment()); });
  }
  addSwitches(more, SwitchMenu::MoreInformation);
  more->addSeparator();
  for (const char16_t* caption :
       {u"Mondphasenkalender", u"Planetenbahnen", u"Astronomischer Jahreskalender", u"Tag- und Nachtgrenze"}) {
    QAction* a = more->addAction(QString::fromUtf16(caption));
    a->setEnabled(false);
    actions_.insert(a->text(), a);
  }
  // The moon phase calendar is created anew, shown modally over the middle of this window and
  // released when it is closed.
  QAction* moonCalendar = actions_.value(QStringLiteral("Mondphasenkalender"));
  moonCalendar->setEnabled(true);
  connect(moonCalendar, &QAction::triggered, this, [this] {
    Tfmoon dialog(this);
    dialog.move(frameGeometry().center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    RunModal(dialog);
  });
  // The year calendar for the chosen place: created anew, modal, released on close.
  QAction* yearCalendar = actions_.value(QStringLiteral("Astronomischer Jahreskalender"));
  yearCalendar->setEnabled(true);
  connect(yearCalendar, &QAction::triggered, this, [this] {
    Tukalender dialog(view_.Place, this);
    RunModal(dialog);
  });
  // The day-night map: created anew with the main window's outer size, modal, released on close.
  QAction* dayNight = actions_.value(QStringLiteral("Tag- und Nachtgrenze"));
  dayNight->setEnabled(true);
  connect(dayNight, &QAction::triggered, this, [this] {
    const QSize outer = frameGeometry().size();
    Tftag map(outer.width(), outer.height(), &CentralEuropeanNow, this);
    RunModal(map);
  });
  QAction* orbits = actions_.value(QStringLiteral("Planetenbahnen"));
  orbits->setEnabled(true);
  connect(orbits, &QAction::triggered, this, [this] {
    // Created anew each time, modal, released when closed: nothing survives between openings.
    Tzastro37 window(frameGeometry().width(), frameGeometry().height(), this);
    RunModal(window);
  });
  // Every entry that opens a window has a key, shown in the menu.
  int key = Qt::Key_1;
  for (const char16_t* caption : {u"Mondparameter", u"Sonnenparameter", u"Ephemeridentabelle", u"Mondphasenkalender",
                                  u"Planetenbahnen", u"Astronomischer Jahreskalender", u"Tag- und Nachtgrenze"}) {
    actions_.value(QString::fromUtf16(caption))->setShortcut(QKeySequence(Qt::CTRL | key++));
  }
}

void Tfhimmel::StepForward() { StepBy(1.0); }
void Tfhimmel::StepBackward() { StepBy(-1.0); }

void Tfhimmel::StepBy(double direction) {
  animation_.LeaveRealTime();
  SyncAnimationWidgets();
  try {
    SetMoment(AdvanceMoment(view_.Moment, direction, AnimationStepDays(CB1->currentIndex())));
  } catch (const ConversionError& e) {
    ShowMessage(QString::fromUtf8(e.what()));
    return;
  }
  Repaint();
}

Tfhimmel::~Tfhimmel() = default;

InfoWindowMoment Tfhimmel::ShownInfoMoment() const {
  return SkyMoment(view_.Moment, view_.Place, view_.Switches.SummerTime);
}

void Tfhimmel::OpenBodyWindow(const QString& bodyName) {
  if (bodyName == QStringLiteral("Mond")) {
    information_->ShowMoon(ShownInfoMoment());
  } else if (bodyName == QStringLiteral("Sonne")) {
    information_->ShowSun(ShownInfoMoment());
  } else {
    information_->OpenPlanet(bodyName, ShownInfoMoment());
  }
}

void Tfhimmel::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (firstActivation_) FormActivate();
}

void Tfhimmel::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && firstActivation_) FormActivate();
}

void Tfhimmel::FormActivate() {
  if (!firstActivation_) return;
  firstActivation_ = false;
  // 1.-4. Settings and place. A write killed before its rename left its temporary file behind.
  RemoveStaleSettingsFiles(SettingsPath());
  if (const std::optional<SettingsValues> stored = ReadSettingsFile(SettingsPath())) {
    ApplySettings(*stored);
    if (stored->Place.isEmpty()) {
      ComboBox1->setCurrentIndex(kDefaultPlaceIndex < ComboBox1->count() ? kDefaultPlaceIndex : -1);
    } else {
      int found = -1;
      for (int i = 0; i < ComboBox1->count(); ++i) {
        if (ComboBox1->itemText(i).compare(stored->Place, Qt::CaseInsensitive) == 0) {
          found = i;
          break;
        }
      }
      if (found < 0) {
        // A place no longer in the list (or mistyped in the file): the home place rather than
        // 0° N 0° E in zone 0, and the user is told.
        found = kDefaultPlaceIndex < ComboBox1->count() ? kDefaultPlaceIndex : -1;
        ShowMessage(QStringLiteral("Der gespeicherte Ort \"%1\" ist nicht in der Ortsliste; es gilt %2.")
                        .arg(stored->Place, found >= 0 ? ComboBox1->itemText(found) : QString()));
      }
      ComboBox1->setCurrentIndex(found);
    }
  } else {
    ComboBox1->setCurrentIndex(kDefaultPlaceIndex < ComboBox1->count() ? kDefaultPlaceIndex : -1);
  }
  // 5. South in the centre checked, whatever azimuth was read; real-time button up.
  for (const CentreDirection& d : kCentreDirections) actions_.value(QString::fromUtf16(d.Caption))->setChecked(d.Azimuth == 0);
  S34->setChecked(false);
  // Now at the chosen place: its date and clock time, converted from the computer's clock.
  SetMoment(MomentAtPlace(Now()));
  // 6. The 288 times of day.
  {
    const QSignalBlocker block(cb2);
    // "00:00" to "23:55" in a string list model: one list, not an item and a formatting per entry.
    QStringList times;
    times.reserve(288);
    for (int i = 0; i < 288; ++i) {
      const int hour = i / 12;
      const int minute = i % 12 * 5;
      const char16_t text[5] = {char16_t(u'0' + hour / 10), char16_t(u'0' + hour % 10), u':',
                                char16_t(u'0' + minute / 10), char16_t(u'0' + minute % 10)};
      times.append(QString(reinterpret_cast<const QChar*>(text), 5));
    }
    cb2->setModel(new QStringListModel(times, cb2));  // the box's first model is its child: freed with it
    cb2->setCurrentIndex(TimeListIndex(view_.Moment.Hour, view_.Moment.Minute));
  }
  // 7. Today's date at the place (set with the clock time above).
  {
    const QSignalBlocker block(DE1);
    DE1->setDate(QDate(view_.Moment.Year, view_.Moment.Month, view_.Moment.Day));
  }
  // 8. The horizon panorama is decoded when its layer is first drawn (malen); 9. step "1 Minute".
  CB1->setCurrentIndex(kDefaultStepIndex);
  Repaint();
  // Without the time-zone database no place keeps summer time: say so once.
  if (const std::optional<QString> message = TimeZoneDatabaseMessage()) ShowMessage(*message);
}

void Tfhimmel::ApplySettings(const SettingsValues& v) {
  if (SimulationApplies(v.Simulation)) {
    RxSpinEdit1->setValue(v.Simulation);
    SetStepInterval(StoredSpeedInterval(v.Simulation));
  }
  if (AzimuthApplies(v.Azimuth)) rx2->setValue(v.Azimuth);
  move(v.Left, v.Top);
  KeepOnScreen();
  view_.Switches = v.Switches;
  for (const DisplaySwitchEntry& e : kDisplaySwitchTable) {
    actions_.value(QString::fromUtf16(e.Caption))->setChecked(SwitchIsOn(v.Switches, e));
  }
}

void Tfhimmel::KeepOnScreen() {
  // A stored position on a monitor that is no longer there: the title bar must be reachable, so a
  // window whose top strip lies on no screen moves to the middle of the primary screen.
  const QRect titleStrip(frameGeometry().topLeft(), QSize(frameGeometry().width(), 30));
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().intersects(titleStrip)) return;
  }
  if (const QScreen* primary = QGuiApplication::primaryScreen()) {
    move(primary->availableGeometry().center() - rect().center());
  }
}

SettingsValues Tfhimmel::CurrentSettings() const {
  SettingsValues v;
  v.Place = ComboBox1->currentText();
  v.Simulation = RxSpinEdit1->value();
  v.Azimuth = rx2->value();
  v.Left = x();
  v.Top = y();
  v.Switches = view_.Switches;
  return v;
}

void Tfhimmel::closeEvent(QCloseEvent* event) {
  Timer1->stop();
  Timer2->stop();
  if (const std::optional<QString> error = WriteSettingsFile(SettingsPath(), CurrentSettings())) {
    ShowMessage(*error);
  }
  event->accept();
}

void Tfhimmel::ComboBox1Change(int index) {
  if (index < 0 || index >= catalogue_.Places.size()) return;
  const std::optional<Location> place = ParsePlaceRecord(catalogue_.Places[index]);
  if (!place) return;
  view_.Place = *place;
  Repaint();
}

int Tfhimmel::AddPlace(const QString& record) {
  const std::optional<Location> place = ParsePlaceRecord(record);
  if (!place) return -1;
  catalogue_.Places.append(record);
  catalogue_.PlaceNames.append(QString::fromStdString(place->Name));
  ComboBox1->addItem(catalogue_.PlaceNames.last());
  return ComboBox1->count() - 1;
}

void Tfhimmel::Repaint() {
  if (PB1) PB1->update();
  // A minimised or hidden window gets no paint events, and the information windows follow the
  // moment at the end of each drawing: without one they would freeze while the animation goes on
  // and jump when the window returns. They follow directly then.
  if (information_ && (isMinimized() || !isVisible())) information_->RefreshVisible(ShownInfoMoment());
}

void Tfhimmel::malen(QImage& image) {
  lastDrawNs_ = steadyClock_.nsecsElapsed();
  // Decoding the panorama and its mask costs a tenth of the start-up, and most views never show it.
  if (view_.Switches.Horizon && !horizonLoaded_) {
    pictures_ = LoadHorizonPictures();
    horizonLoaded_ = true;
  }
  try {
    ::zenitra::malen(image, view_, catalogue_, geometry_, pictures_, registers_, LayerHooks);
  } catch (const ConversionError&) {
    // A layer met a date outside the calendar: the picture keeps what was drawn so far.
  }
}

void Tfhimmel::SetMoment(const ShownMoment& moment) {
  view_.Moment = moment;
  // The date and time fields follow the shown moment (during the animation too), so that picking a
  // time of day later starts from the date that is shown.
  const QDate date(moment.Year, moment.Month, moment.Day);
  if (DE1 && date.isValid() && DE1->date() != date) {
    const QSignalBlocker block(DE1);
    DE1->setDate(date);
  }
  if (cb2 && cb2->count() > 0) {
    const int index = TimeListIndex(moment.Hour, moment.Minute);
    if (cb2->currentIndex() != index) {
      const QSignalBlocker block(cb2);
      cb2->setCurrentIndex(index);
    }
  }
}

void Tfhimmel::SyncAnimationWidgets() {
  if (animation_.Timer1Enabled != Timer1->isActive()) {
    if (animation_.Timer1Enabled) {
      pacer_.Restart(steadyClock_.nsecsElapsed(), stepIntervalMs_);
      // The display's frame period is known once the window is on a screen.
      Timer1->setInterval(AnimationWakeIntervalMs(stepIntervalMs_, FramePeriod()));
      Timer1->start();
    } else {
      Timer1->stop();
    }
  }
  if (animation_.Timer2Enabled != Timer2->isActive()) animation_.Timer2Enabled ? Timer2->start() : Timer2->stop();
  S34->setChecked(animation_.RealTimeDown);
  actions_.value(QStringLiteral("Simulation"))->setChecked(animation_.Running);
  S20->setText(animation_.Running ? QStringLiteral("■") : QStringLiteral("▶"));
}

void Tfhimmel::StartStop() {
  animation_.StartStop();
  SyncAnimationWidgets();
}

void Tfhimmel::Reverse() {
  animation_.Reverse();
  // The reverse button stays down and the status line says so while time runs backwards.
  view_.TimeRunsBackwards = animation_.Direction < 0.0;
  S29->setChecked(view_.TimeRunsBackwards);
  Repaint();
}

void Tfhimmel::Faster() {
  if (const std::optional<int> v = FasterSpeed(RxSpinEdit1->value())) RxSpinEdit1->setValue(*v);
}

void Tfhimmel::Slower() {
  if (const std::optional<int> v = SlowerSpeed(RxSpinEdit1->value())) RxSpinEdit1->setValue(*v);
}

void Tfhimmel::RealTimeClicked() {
  animation_.RealTimeClicked(S34->isChecked());
  SyncAnimationWidgets();
}

void Tfhimmel::CycleStarNames() { CycleNameMode(&DisplaySwitches::StarNames); }

void Tfhimmel::CycleConstellationNames() { CycleNameMode(&DisplaySwitches::ConstellationNames); }

void Tfhimmel::CycleNameMode(std::uint8_t DisplaySwitches::*mode) {
  const DisplaySwitchEntry& entry = DisplaySwitchOf(mode);
  std::uint8_t& value = view_.Switches.*mode;
  value = entry.NextMode(value);
  actions_.value(QString::fromUtf16(entry.Caption))->setChecked(value != 0);
  Repaint();
}

void Tfhimmel::SetDirection(int azimuth) {
  for (const CentreDirection& d : kCentreDirections) {
    actions_.value(QString::fromUtf16(d.Caption))->setChecked(d.Azimuth == azimuth);
  }
  rx2->setValue(azimuth);
  view_.CentreAzimuth = azimuth;
  Repaint();
}

void Tfhimmel::Timer1Timer() {
  if (ApplyAnimationSteps(1)) Repaint();
}

void Tfhimmel::AnimationStepsDue() {
  const long long now = steadyClock_.nsecsElapsed();
  // A new speed counts from this tick, which is its first.
  const int interval = std::max(1, stepIntervalMs_);
  if (pacer_.IntervalMs != interval) pacer_.Restart(now - interval * 1'000'000LL, interval);
  const long long steps = pacer_.Take(now);
  if (steps > 0 && ApplyAnimationSteps(steps)) RequestAnimationFrame();
}

bool Tfhimmel::ApplyAnimationSteps(long long steps) {
  bool moved = false;
  for (long long i = 0; i < steps; ++i) {
    const TickResult result = AnimationTick(animation_, view_.Moment, CB1->currentIndex());
    if (result.Redraw) {
      SetMoment(result.Moment);
      moved = true;
    }
    if (!result.Message.isEmpty()) {
      if (moved) Repaint();
      SyncAnimationWidgets();
      ShowMessage(result.Message);
      return false;
    }
    if (!result.Redraw) break;
  }
  return moved;
}

long long Tfhimmel::FramePeriod() const {
  const QScreen* screen = PB1 ? PB1->screen() : nullptr;
  return FramePeriodNs(screen ? screen->refreshRate() : 0.0);
}

void Tfhimmel::SetStepInterval(int ms) {
  stepIntervalMs_ = ms;
  // At top speed a timer at the step interval would wake the program a thousand times a second
  // for steps no one sees before the next frame.
  Timer1->setInterval(AnimationWakeIntervalMs(ms, FramePeriod()));
}

void Tfhimmel::RequestAnimationFrame() {
  if (frameTimer_->isActive()) return;  // the next frame draws the newest moment anyway
  const long long wait = NanosecondsUntilNextFrame(steadyClock_.nsecsElapsed(), lastDrawNs_, FramePeriod());
  if (wait <= 0) {
    PB1->update();
  } else {
    frameTimer_->start(static_cast<int>((wait + 999'999) / 1'000'000));
  }
}

void Tfhimmel::Timer2Timer() {
  SetMoment(MomentAtPlace(Now()));
  Repaint();
}

ShownMoment Tfhimmel::MomentAtPlace(const QDateTime& instant) const {
  // The place's clock, not the computer's: universal time plus the place's zone and, with the
  // summer-time switch on, its summer hours (with the switch off the shown time is standard time,
  // as the drawing then reads it).
  return ClockOf(PlaceClockAt(view_.Place, instant, view_.Switches.SummerTime).Clock);
}

void Tfhimmel::DE1Change() {
  animation_.LeaveRealTime();
  SyncAnimationWidgets();
  const QDate d = DE1->date();
  if (!d.isValid()) return;
  try {
    const CivilDate date = DateOfDateTime(EncodeDate(d.year(), d.month(), d.day()));
    view_.Moment.Year = date.year;
    view_.Moment.Month = date.month;
    view_.Moment.Day = date.day;
  } catch (const ConversionError& e) {
    ShowMessage(QString::fromUtf8(e.what()));
    return;
  }
  Repaint();
}

void Tfhimmel::cb2Change() {
  animation_.LeaveRealTime();
  SyncAnimationWidgets();
  if (const std::optional<ShownMoment> m = MomentFromTimeListIndex(view_.Moment, cb2->currentIndex())) {
    SetMoment(*m);
    Repaint();
  }
}

void Tfhimmel::PB1MouseDown(int x, int y) {
  // 1. Bodies, in drawing order: the first hit wins.
  if (const std::optional<QString> body = HitTest(registers_.BodyPositionList, x, y)) {
    emit BodyClicked(*body);
    return;
  }
  // 2. Stars, only while star information is on.
  if (view_.Switches.StarInformation) {
    if (const std::optional<QString> star = HitTest(registers_.StarPositionList, x, y)) {
      QString text;
      try {
        text = StarInformationText(*star, catalogue_.Constellations);
      } catch (const CatalogueError& e) {
        ShowMessage(e.Message());
        return;
      }
      // The click as a point of the client area (below the menu) in screen coordinates.
      const QWidget* client = centralWidget() ? centralWidget() : this;
      const QScreen* screen = QGuiApplication::primaryScreen();
      const QSize screenSize = screen ? screen->geometry().size() : QSize(1920, 1080);
      ShowStarInformation(text, InformationBoxTopLeft(client->mapToGlobal(QPoint(x, y)), screenSize));
      return;
    }
  }
  // 3. Otherwise the view turns while the mouse is dragged.
  dragStartX_ = x;
  dragStartAzimuth_ = rx2->value();
  dragging_ = true;
}

void Tfhimmel::PB1MouseMove(int x) {
  if (!dragging_) return;
  rx2->setValue(DragAzimuth(dragStartAzimuth_, dragStartX_, x, PB1->width()));
}

void Tfhimmel::PB1MouseUp() { dragging_ = false; }

}  // namespace zenitra
