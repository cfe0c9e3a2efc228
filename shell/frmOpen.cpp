#include "shell/frmOpen.h"

#include "platform/ui/Global.h"
#include "platform/ui/Twips.h"
#include "runtime/Guard.h"
#include "shell/ChildForms.h"
#include "shell/FormMode.h"
#include "shell/MenuEnabling.h"
#include "shell/frmDialog.h"

namespace {
constexpr const char* kName = "frmOpen";
}

frmOpen::frmOpen() : ui::Form(kName) {
  setWindowTitle("Main control menu");
  // No close box: the panel is the only way to a calculation and to the results.
  SetControlBox(false);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(255, 224, 192));
  setPalette(pal);
  SetDesignClientSize(2790, 8985);

  Command2 = new QPushButton("Start calculation ...", this);
  Command2->setObjectName("Command2");
  ui::Place(Command2, 420, 765, 1695, 375);
  Command3 = new QPushButton("View results ...", this);
  Command3->setObjectName("Command3");
  ui::Place(Command3, 360, 1800, 1695, 375);
  Frame1 = new QGroupBox("Information", this);
  Frame1->setObjectName("Frame1");
  ui::Place(Frame1, 240, 3120, 2055, 3735);
  auto label = [this](const char* name, const char* caption, double top, double height) {
    auto* l = new QLabel(caption, Frame1);
    l->setObjectName(name);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::Place(l, 120, top, 1695, height);
    return l;
  };
  Label1 = label("Label1", "Selected compound", 480, 735);
  lblEmission = label("lblEmission", "Selected emission", 1320, 855);
  lblEnvironment = label("lblEnvironment", "Selected environment", 2280, 975);
  setTabOrder(Command2, Command3);
  connect(Command2, &QPushButton::clicked, this, &frmOpen::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &frmOpen::Command3_Click);
}

frmOpen::~frmOpen() {
  if (services::GetStartPanel() == this) services::SetStartPanel(nullptr);
}

void frmOpen::Form_Load() {
  services::SetStartPanel(this);
  vb::Guard(kName, "Form_Load", [&] {
    SetWidth(2900);
    SetHeight(9350);
  });
}

bool frmOpen::Form_QueryUnload() { return QueryUnloadMode() == ui::vbFormCode; }

void frmOpen::Form_Unload() {
  if (services::GetStartPanel() == this) services::SetStartPanel(nullptr);
}

void frmOpen::ShowCompound(const std::string& description) { Label1->setText(QString::fromStdString(description)); }
void frmOpen::ShowEmission(const std::string& description) {
  lblEmission->setText(QString::fromStdString(description));
}
void frmOpen::ShowEstuary(const std::string& description) {
  lblEnvironment->setText(QString::fromStdString(description));
}

QWidget* frmOpen::frmParent() const {
  QWidget* none = nullptr;
  vb::Guard(kName, "GetSet_frmParent", [] {});
  return none;
}

void frmOpen::SetfrmParent(QWidget*) {
  vb::Guard(kName, "Set_frmParent", [] {});
}

int frmOpen::Mode() const {
  int mode = 0;
  vb::Guard(kName, "Get_Mode", [&] { mode = modView; });
  return mode;
}

void frmOpen::SetMode(int) {
  vb::Guard(kName, "Let_Mode", [] {});
}

void frmOpen::EnableMenus() {
  vb::Guard(kName, "EnableMenus", [&] {
    const bool view = Mode() == modView;
    MenuEnabling::SetMainMenus(MenuEnabling::Preset().With({{"mnuFileSave", !view}, {"mnuDataClear", !view}}));
  });
}

void frmOpen::Command2_Click() {
  vb::Guard(kName, "Command2_Click", [&] { ui::Global<frmDialog>().Show(); });
}

void frmOpen::Command3_Click() {
  vb::Guard(kName, "Command3_Click", [&] { ChildForms::Global("frmResult").Show(); });
}

void frmOpen::PlaceBesidePanel(ui::Form& window) {
  frmOpen& panel = ui::Global<frmOpen>();
  window.SetLeft(panel.Left() + panel.Width());
  window.SetTop(panel.Top());
}

void RegisterStartPanel() {
  ChildForms::Register(kName, ChildForms::Kind::StartPanel, [] { return new frmOpen(); });
}
