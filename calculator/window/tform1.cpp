// Creation of the calculator window: its controls are built from the layout
// rows and the element table, then FormCreate runs.
#include "calculator/window/tform1.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "calculator/window/layout.h"
#include "calculator/window/pictures.h"
#include "calculator/window/spoken_names.h"
#include "calculator/element_keys.h"
#include "window/classic_frame.h"
#include "window/control_rows.h"
#include "window/text.h"
#include "window/top_level.h"

namespace veltrum {
namespace {

QWidget* CreateControl(const CalcControlRow& row, QWidget* parent) {
  const QString caption = FromUtf8(row.caption);
  switch (row.kind) {
    case CalcControlKind::Display: {
      auto* edit = new QLineEdit(caption, parent);
      edit->setReadOnly(true);
      edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      return edit;
    }
    case CalcControlKind::Group: return new ClassicFrame(caption, parent);
    case CalcControlKind::Button: return new QPushButton(caption, parent);
    case CalcControlKind::Option: return new QRadioButton(caption, parent);
    case CalcControlKind::Label: return new QLabel(caption, parent);
    case CalcControlKind::Mark: {
      auto* label = new QLabel(caption, parent);
      label->setAutoFillBackground(true);
      QPalette palette = label->palette();
      palette.setColor(QPalette::Window, Qt::yellow);
      palette.setColor(QPalette::WindowText, Qt::black);
      label->setPalette(palette);
      return label;
    }
    case CalcControlKind::Picture:
      return new SecondFunctionPicture(SecondFunctionPicture::ForName(FromUtf8(row.name)), parent);
  }
  return nullptr;
}

QWidget* CreateWithFont(const CalcControlRow& row, QWidget& parent) {
  QWidget* control = CreateControl(row, &parent);
  if (row.face != Face::Window) control->setFont(ControlFont(row.face, row.pixels, row.bold));
  return control;
}

ControlPlace PlaceOf(const CalcControlRow& row) {
  return {row.name, row.parent, row.left, row.top, row.width, row.height, row.hint};
}

// The menu of the window as data: items of the menu bar, then of "Файл".
struct MenuRow {
  std::string_view name;
  std::string_view caption;
  QKeyCombination shortcut;
  void (TForm1::*handler)();
};

constexpr MenuRow kFileMenu[] = {
    {"N1", "Построение графиков", Qt::Key_F2, &TForm1::N1Click},
    {"N2", "Показать таблицу Менделеева", Qt::Key_F3, &TForm1::N2Click},
    {"mnuEnd", "Выход", Qt::Key_F4, &TForm1::mnuEndClick},
};
// "Сервис", between "Файл" and "О программе".
constexpr MenuRow kServiceMenu[] = {
    {"mnuMass", "Молярная масса по формуле…", Qt::CTRL | Qt::Key_M, &TForm1::mnuMassClick},
    {"mnuTape", "Журнал вычислений", Qt::CTRL | Qt::Key_J, &TForm1::mnuTapeClick},
};
constexpr MenuRow kAboutItem = {"mnuAbout", "О программе", Qt::Key_F1, &TForm1::mnuAboutClick};

}  // namespace

TForm1::TForm1(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), calculator_(&dialogs) {
  setObjectName("Form1");
  setWindowTitle("Veltrum");
  setWindowFlags(kFixedWindowFlags);
  setFont(WindowFont());
  BuildMenu();
  BuildControls();
  BuildPeriodicTable();
  ConnectKeys();
  BuildClipboard();
  for (QWidget* w : findChildren<QWidget*>())
    if (const QString name = SpokenName(w->objectName()); !name.isEmpty()) w->setAccessibleName(name);
  SetClientWidth(kClientWidth);
  move(kWindowLeft, kWindowTop);
  qApp->installEventFilter(this);
  FormCreate();
  calculator_.SetObserver(&tape_);
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  calculator_.SetView(nullptr);
  calculator_.SetObserver(nullptr);
  // The tape window watches tape_, which goes before the child windows do.
  delete frmTape_.data();
}

void TForm1::FormCreate() {
  SavedWidth = width();
  // The core has run its part of window creation already; from here on the
  // window shows what the core reports.
  RefreshFromCalculator();
  N2_->trigger();
}

void TForm1::BuildControls() {
  auto* client = new QWidget(this);
  client->setObjectName("Form1Client");
  setCentralWidget(client);
  veltrum::BuildControls(*client, CalculatorControls(), PlaceOf, CreateWithFont);
  Text1_ = client->findChild<QLineEdit*>("Text1");
  for (int i = 0; i < 3; ++i) txtM_[i] = client->findChild<QLineEdit*>(QString("txtM%1").arg(i + 1));
  optGrad_ = client->findChild<QRadioButton*>("optGrad");
  optRad_ = client->findChild<QRadioButton*>("optRad");
  // The design selects degrees; window creation selects radians.
  optGrad_->setChecked(true);
  tablePanel_.push_back(client->findChild<QWidget*>("GroupBox3"));
}

void TForm1::BuildPeriodicTable() {
  QWidget* client = centralWidget();
  const QFont font = ControlFont(kElementFace, kElementPixels, true);
  const auto places = ElementKeyPlaces();
  for (int i = 0; i < kElementKeyCount; ++i) {
    const ElementKeyPlace& at = places[static_cast<std::size_t>(i)];
    const Element& e = ElementOfKey(i);
    QAbstractButton* key;
    if (at.place == ElementPlace::Group) {
      key = new FormulaPicture(FromUtf8(e.symbol), client);
    } else {
      key = new QPushButton(FromUtf8(e.symbol), client);
      key->setFont(font);
      key->setToolTip(FromUtf8(e.name));
      key->setAccessibleDescription(FromUtf8(e.name));
    }
    key->setObjectName(FromUtf8(ElementKeys()[static_cast<std::size_t>(i)].name));
    key->setGeometry(at.left, at.top, at.width, at.height);
    tablePanel_.push_back(key);
  }
}

void TForm1::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");
  auto addItem = [this](QWidget* menu, const MenuRow& row) {
    auto* action = new QAction(FromUtf8(row.caption), this);
    action->setObjectName(FromUtf8(row.name));
    action->setShortcut(QKeySequence(row.shortcut));
    // The function keys belong to the whole program, not only to this
    // window; keys that reach no shortcut are offered in eventFilter.
    action->setShortcutContext(Qt::ApplicationShortcut);
    connect(action, &QAction::triggered, this, row.handler);
    menu->addAction(action);
    return action;
  };
  QMenu* file = bar->addMenu("&Файл");
  file->setObjectName("mnuFile");
  file->menuAction()->setObjectName("mnuFile");
  N1_ = addItem(file, kFileMenu[0]);
  N2_ = addItem(file, kFileMenu[1]);
  mnuEnd_ = addItem(file, kFileMenu[2]);
  mnuService_ = bar->addMenu("&Сервис");
  mnuService_->setObjectName("mnuService");
  mnuService_->menuAction()->setObjectName("mnuService");
  mnuMass_ = addItem(mnuService_, kServiceMenu[0]);
  // The tape comes first in the menu.
  mnuTape_ = addItem(mnuService_, kServiceMenu[1]);
  mnuService_->insertAction(mnuMass_, mnuTape_);
  // A window's own shortcuts: Ctrl+M and Ctrl+J are no keys of the whole
  // program.
  for (QAction* a : {mnuMass_, mnuTape_}) a->setShortcutContext(Qt::WindowShortcut);
  mnuAbout_ = addItem(bar, kAboutItem);
}

// One table joins controls and core: the control's name is its key's name,
// and a click presses that key (a digit key's digit is its key's, not read
// back from its caption).
void TForm1::ConnectKeys() {
  keyButtons_.assign(static_cast<std::size_t>(KeyCount()), nullptr);
  for (QAbstractButton* button : centralWidget()->findChildren<QAbstractButton*>()) {
    const std::optional<Key> key = KeyFromName(button->objectName().toStdString());
    if (!key) continue;
    keyButtons_[static_cast<std::size_t>(*key)] = button;
    // The angle unit follows the checked option however it became checked:
    // a click, the arrow keys or a screen reader's toggle action.
    if (button->isCheckable())
      connect(button, &QAbstractButton::toggled, this, [this, k = *key](bool checked) {
        if (checked) Press(k);
      });
    else
      connect(button, &QAbstractButton::clicked, this, [this, k = *key] { Press(k); });
  }
}

// The window is sized by its client area, as designed; the menu bar lies
// above it.
void TForm1::SetClientWidth(int width) {
  setFixedSize(width, kClientHeight + menuBar()->sizeHint().height());
}

}  // namespace veltrum
