// The shared editor protocol. Every step traps its own failures under the editor's name and the
// step's name, so a failing member step ends that step and its caller carries on.
#include "editors/RecordEditor.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "platform/ui/Controls.h"
#include "platform/ui/Global.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "runtime/Guard.h"
#include "runtime/Variant.h"
#include "runtime/VbError.h"
#include "services/DAOSupport.h"
#include "shell/MDIMain.h"
#include "shell/MenuEnabling.h"
#include "shell/TreeListFunctions.h"

namespace editors {

namespace {
// The field whose text the save was converting when it failed.
const QLineEdit* gConverting = nullptr;

template <class T, class F>
T Converted(const QLineEdit* field, F convert) {
  gConverting = field;
  const T value = convert(vb::Variant(field->text().toStdString()));
  gConverting = nullptr;
  return value;
}
}  // namespace

double FieldDouble(const QLineEdit* field) {
  return Converted<double>(field, [](const vb::Variant& v) { return vb::CDbl(v); });
}
float FieldSingle(const QLineEdit* field) {
  return Converted<float>(field, [](const vb::Variant& v) { return vb::CSng(v); });
}
int32_t FieldLong(const QLineEdit* field) {
  return Converted<int32_t>(field, [](const vb::Variant& v) { return vb::CLng(v); });
}

std::string FieldCaption(const QLineEdit* field) {
  if (!field->accessibleName().isEmpty()) return field->accessibleName().toStdString();
  // The label beside it: "lbl" and the field's name without "txt", in any case ("lblEnvirid").
  const QString base = field->objectName().mid(3);
  if (const auto* w = field->parentWidget())
    for (const auto* label : w->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
      if (label->objectName().compare("lbl" + base, Qt::CaseInsensitive) == 0 && !label->text().isEmpty())
        return label->text().remove('&').toStdString();
  return base.toStdString();
}

std::string RecordEditor::InvalidData(const QLineEdit* field) {
  if (!field) return kInvalidData;
  return std::string(kInvalidData) + "\r\r" + FieldCaption(field) + ": \"" + field->text().toStdString() +
         "\" is not a number that can be stored.";
}

bool RecordEditor::RejectInvalidData(const QLineEdit* field) {
  ui::MsgBox(InvalidData(field), ui::vbInformation, ui::kAppTitle);
  return false;
}

RecordEditor::RecordEditor(const EditorSpec& spec) : ui::Form(spec.name), spec_(spec) {
  cmdOK = new QPushButton("&Save", this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setDefault(true);
  cmdOK->setAutoDefault(true);
  cmdCancel = new QPushButton("C&lose", this);
  cmdCancel->setObjectName("cmdCancel");
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

int RecordEditor::Mode() const {
  int m = 0;
  vb::Guard(Name(), "Get_Mode", [&] { m = mode_; });
  return m;
}
void RecordEditor::SetMode(int vMode) {
  vb::Guard(Name(), "Let_Mode", [&] { mode_ = vMode; });
}
int32_t RecordEditor::Id() const {
  int32_t id = 0;
  vb::Guard(Name(), spec_.getIdName, [&] { id = id_; });
  return id;
}
void RecordEditor::SetId(int32_t vlngData) {
  vb::Guard(Name(), spec_.letIdName, [&] { id_ = vlngData; });
}
QWidget* RecordEditor::frmParent() const {
  QWidget* p = nullptr;
  vb::Guard(Name(), "GetSet_frmParent", [&] { p = parent_; });
  return p;
}
void RecordEditor::SetfrmParent(QWidget* rfrmParent) {
  vb::Guard(Name(), "Set_frmParent", [&] { parent_ = rfrmParent; });
}

bool RecordEditor::SaveDetails() {
  // The Save button's own state counts too: the estuary editor takes it out of use while its
  // hydrodynamics cannot be computed.
  if (!cmdOK->isEnabled()) {
    ui::Beep();
    return false;
  }
  return Save();
}

bool RecordEditor::Save() {
  if (!IsValid()) return false;
  if (!Store()) return false;
  RefreshParent();
  if (AddingMode()) {
    mode_ = modEdit;
    SetModeCaption();
  }
  return true;
}

bool RecordEditor::Store() {
  if (mode_ != modEdit && !AddingMode()) return false;
  if (mode_ == modEdit && RefusesEdit()) return false;
  bool stored = false;
  gConverting = nullptr;
  vb::GuardWith(
      Name(), "SaveDetails",
      [](const vb::ErrObject& e) {
        // A text that is no number, or one beyond its column's range, is a typing mistake.
        if (e.Number != 13 && e.Number != 6) return false;
        if (e.Number == 6 && !gConverting) return false;
        ui::MsgBox(InvalidData(gConverting), ui::vbInformation, ui::kAppTitle);
        return true;
      },
      [&] { stored = StoreFields(); });
  gConverting = nullptr;
  // An edit of a row deleted elsewhere stores nothing: say so rather than stay silent.
  if (!stored && mode_ == modEdit) {
    bool gone = false;
    vb::Guard(Name(), "SaveDetails", [&] { gone = blnNoRow(OwnRow()); });
    if (gone) ui::MsgBox(kRecordNoLongerExists);
  }
  return stored;
}

bool RecordEditor::RefusedAsUsed(RunColumn column) {
  bool used = true;  // runs that cannot be read may name it
  vb::Guard(Name(), "SaveDetails", [&] { used = UsedByRun(column, id_); });
  if (used) ui::MsgBox(EditRefusal(column, id_));
  return used;
}

bool RecordEditor::IsValid() {
  bool valid = false;
  vb::Guard(Name(), "IsValid", [&] { valid = CheckFields(); });
  return valid;
}
void RecordEditor::ProcessMode() {
  vb::Guard(Name(), "ProcessMode", [&] { ApplyMode(); });
}
void RecordEditor::RefreshParent() {
  vb::Guard(Name(), "RefreshParent", [&] { UpdateParent(); });
}

void RecordEditor::CloseForm() {
  vb::Guard(Name(), "CloseForm", [&] { Unload(); });
}

void RecordEditor::ClearForm() {
  vb::Guard(Name(), "ClearForm", [&] {
    if (ViewMode()) return;
    ClearFields();
    EnableMenus();
  });
}

void RecordEditor::cmdOK_Click() {
  vb::Guard(Name(), "cmdOK_Click", [&] {
    if (Save()) Unload();
  });
}

void RecordEditor::cmdCancel_Click() {
  vb::Guard(Name(), "cmdCancel_Click", [&] { Unload(); });
}

void RecordEditor::EnableMenus() {
  vb::Guard(Name(), "EnableMenus", [&] {
    const bool edit = !ViewMode();
    MenuEnabling::SetMainMenus(MenuEnabling::Preset().With({{"mnuFileSave", edit}, {"mnuDataClear", edit}}));
    cmdOK->setEnabled(MenuEnabling::MenuEnabled("mnuFileSave") && SaveAllowed());
    cmdCancel->setEnabled(MenuEnabling::MenuEnabled("mnuFileClose"));
  });
}

void RecordEditor::SetModeCaption() {
  const char* caption = nullptr;
  switch (mode_) {
    case modView: caption = spec_.captions[0]; break;
    case modEdit: caption = spec_.captions[1]; break;
    case modAdd: caption = spec_.captions[2]; break;
    case modCopy: caption = spec_.captions[3]; break;
    default: break;
  }
  if (caption) SetCaption(caption);
}

void RecordEditor::EnableAllControls(bool enabled) {
  for (QObject* c : Controls())
    if (auto* w = qobject_cast<QWidget*>(c)) w->setEnabled(enabled);
}

void RecordEditor::ApplyViewMode(bool hideSave) {
  if (hideSave) cmdOK->setVisible(false);
  EnableAllControls(false);
  cmdCancel->setEnabled(true);
}

bool RecordEditor::Reject(const std::string& message, QWidget* focus) {
  ui::Beep();
  ui::MsgBox(message, ui::vbExclamation);
  if (focus && focus->isEnabled()) focus->setFocus();
  return false;
}

ui::ListView* RecordEditor::ParentList() const {
  ui::ListView* list = parent_ ? parent_->findChild<ui::ListView*>("lvw") : nullptr;
  if (!list) vb::Raise(438);
  return list;
}

ui::ListItem* RecordEditor::AddParentRow(const std::string& text, const std::vector<std::string>& subItems) {
  ui::ListView* list = ParentList();
  ui::ListItem* item = list->Add(TreeListFunctions::KeyOf(id_), text);
  // The row's small icon comes from the parent's image list, as its own rows do.
  if (auto* images = parent_->findChild<ui::ImageList*>("imglvw")) item->setIcon(0, images->Image("SAMPLE"));
  for (std::size_t i = 0; i < subItems.size(); ++i) item->SetSubItem(static_cast<int>(i) + 1, subItems[i]);
  list->scrollToItem(item);
  list->SetSelectedItem(item);
  return item;
}

void RecordEditor::UpdateSelectedRow(const std::vector<std::pair<int, std::string>>& subItems) {
  ui::ListItem* item = ParentList()->SelectedItem();
  if (!item) vb::Raise(91);
  for (const auto& [index, text] : subItems) item->SetSubItem(index, text);
}

void RecordEditor::UpdateParentWithFields(const std::string& idText, std::span<QLineEdit* const> fields) {
  std::vector<std::string> cells;
  for (QLineEdit* f : fields) cells.push_back(TextOf(f));
  if (Mode() == modEdit) {
    std::vector<std::pair<int, std::string>> sub;
    for (std::size_t i = 0; i < cells.size(); ++i) sub.emplace_back(static_cast<int>(i) + 1, cells[i]);
    UpdateSelectedRow(sub);
  } else if (Mode() == modAdd) {
    AddParentRow(idText, cells);
  }
}

QLabel* RecordEditor::AddLabel(QWidget* parent, const char* name, const std::string& caption, double left,
                               double top, double width, double height) {
  auto* label = new QLabel(QString::fromStdString(caption), parent);
  if (name) label->setObjectName(name);
  ui::Place(label, left, top, width, height);
  return label;
}

QLineEdit* RecordEditor::AddText(QWidget* parent, const char* name, const std::string& labelCaption, double left,
                                 double top, double labelWidth, double width, const std::string& unit) {
  const std::string base = std::string(name).substr(3);  // "txtCmpname" -> "Cmpname"
  if (!labelCaption.empty()) AddLabel(parent, ("lbl" + base).c_str(), labelCaption, left, top + 30, labelWidth);
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  if (!labelCaption.empty()) field->setAccessibleName(QString::fromStdString(labelCaption));
  ui::Place(field, left + labelWidth, top, width, 285);
  if (!unit.empty()) AddLabel(parent, ("lblUnit" + base).c_str(), unit, left + labelWidth + width + 90, top + 30, 1100);
  return field;
}

void RecordEditor::ClearShownFields(std::span<QLineEdit* const> fields) {
  for (QLineEdit* f : fields)
    if (f->isVisibleTo(this)) f->clear();
}

double RecordEditor::NumberOrZero(const std::string& text) {
  if (text.find_first_not_of(" ") == std::string::npos) return 0;
  return vb::CDbl(vb::Variant(text));
}

std::string RecordEditor::TextOf(const QLineEdit* field) { return field->text().toStdString(); }
void RecordEditor::SetTextOf(QLineEdit* field, const std::string& text) {
  field->setText(QString::fromStdString(text));
}

void RecordEditor::Form_Load() {
  vb::Guard(Name(), "Form_Load", [&] {
    BeforeLoad();
    const bool loads = mode_ == modView || mode_ == modEdit || (mode_ == modCopy && spec_.copyLoads);
    bool read = true;
    if (loads) read = vb::Guard(Name(), "GetData", [&] { read = GetData(); }) && read;
    // A record that could not be read (a damaged row) is only shown: saving the design values
    // over it would destroy what the row still holds.
    if (!read && mode_ == modEdit) mode_ = modView;
    AfterGetData();
    ProcessMode();
    SetParentEnabled(false);
    AfterLoad();
    ArrangeFocus();
  });
}

void RecordEditor::ArrangeFocus() {
  // The two buttons are made before the member's fields, so by creation order they would come first.
  std::vector<QWidget*> chain;
  for (QWidget* w : findChildren<QWidget*>())
    if (w != cmdOK && w != cmdCancel && (w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QLabel*>(w))
      chain.push_back(w);
  chain.push_back(cmdOK);
  chain.push_back(cmdCancel);
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
  for (QWidget* w : chain)
    if (w->isVisibleTo(this) && w->isEnabled()) {
      w->setFocus(Qt::OtherFocusReason);
      break;
    }
}

void RecordEditor::Form_Activate() {
  vb::Guard(Name(), "Form_Activate", [&] {
    ui::Global<MDIMain>().SetfrmActive(this);
    OnActivate();
  });
}

void RecordEditor::Form_Resize() {
  // Every failure here is ignored, for instance a window smaller than the button offsets.
  vb::Try([&] {
    if (spec_.buttonOffset < 0) {
      ResizeControls();
      return;
    }
    const double w = Width(), h = Height();
    ui::Place(cmdOK, w - 2200 - 270, h - 700 - spec_.buttonOffset, 1100, 350);
    ui::Place(cmdCancel, w - 1100 - 180, h - 700 - spec_.buttonOffset, 1100, 350);
  });
  vb::Err().Clear();
}

bool RecordEditor::Form_QueryUnload() {
  vb::Guard(Name(), "Form_QueryUnload", [&] {
    if (parent_) {
      SetParentEnabled(true);
      ui::ActivateForm(parent_);
    }
  });
  return true;
}

void RecordEditor::SetParentEnabled(bool enabled) {
  if (!parent_) return;
  parent_->setEnabled(enabled);
  if (auto* form = qobject_cast<ui::Form*>(parent_.data()); form && form->SubWindow())
    form->SubWindow()->setEnabled(enabled);
}

void RecordEditor::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
      button->click();
      return;
    }
    if (!cmdOK->isHidden() && cmdOK->isEnabled()) cmdOK_Click();
    return;
  }
  if (key == Qt::Key_Escape) {
    if (cmdCancel->isEnabled()) cmdCancel_Click();
    return;
  }
  ui::Form::keyPressEvent(event);
}

}  // namespace editors
