#include "lists/uscEntityCode.h"

#include <QResizeEvent>
#include <optional>

#include "platform/dao/Dao.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "runtime/Guard.h"
#include "runtime/VbError.h"
#include "services/DAOSupport.h"

namespace {

constexpr const char* kModule = "uscEntityCode";
constexpr int32_t kSubscriptOutOfRange = 9;
constexpr int32_t kInvalidPropertyValue = 383;

// The table of a class code; none for a code the control does not know.
std::optional<records::RecordTable> TableOf(int32_t code) {
  for (records::RecordTable t : records::kRecordTables)
    if (EntityCodeOf(t) == code) return t;
  return std::nullopt;
}

std::unique_ptr<dao::Recordset> AllRows(int32_t code) {
  const std::optional<records::RecordTable> table = TableOf(code);
  if (!table) vb::Raise(vb::kProgrammingError, "", "Programming error. Unknown class type.");
  return records::AllRows(*table);
}

}  // namespace

uscEntityCode::uscEntityCode(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  cmbCodes = new QComboBox(this);
  cmbCodes->setObjectName("cmbCodes");
  cmbCodes->setEditable(false);  // pick only, no typing
  ui::Place(this, 0, 0, 2670, 330);
  connect(cmbCodes, &QComboBox::activated, this, [this] {
    vb::Guard(kModule, "cmbCodes_Click", [&] { emit ComboClick(); });
  });
  connect(cmbCodes, &QComboBox::currentTextChanged, this, [this] {
    vb::Guard(kModule, "cmbCodes_Change", [&] { emit ComboClick(); });
  });
}

void uscEntityCode::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  vb::Guard(kModule, "UserControl_Resize", [&] { cmbCodes->setGeometry(0, 0, width(), cmbCodes->sizeHint().height()); });
}

void uscEntityCode::UserControl_InitProperties() {
  vb::Guard(kModule, "UserControl_InitProperties", [&] {
    SetClassName(ecCompounds);
    SetDefault(0);
    SetIncludeBlank(false);
    ui::MsgBox(
        "Change the 'Class Name' property and optionally the 'Default' and 'IncludeBlank' properties for this "
        "control. You should also give the control a 'Name'.",
        ui::vbInformation);
  });
}

void uscEntityCode::UserControl_ReadProperties(const PropertyBag& bag) {
  vb::Guard(kModule, "UserControl_ReadProperties", [&] {
    auto read = [&bag](const char* key) {
      auto it = bag.find(key);
      return it == bag.end() ? vb::Variant() : it->second;
    };
    SetClassName(vb::CLng(read("ClassName")));
    SetDefault(vb::CLng(read("Default")));
    SetIncludeBlank(vb::CBool(read("IncludeBlank")));
    // While a window is being designed there is no database to read.
    if (gDAOConnect) LoadData();
  });
}

void uscEntityCode::UserControl_WriteProperties(PropertyBag& bag) {
  vb::Guard(kModule, "UserControl_WriteProperties", [&] {
    bag["ClassName"] = vb::Variant(class_);
    bag["Default"] = vb::Variant(default_);
    bag["IncludeBlank"] = vb::Variant(includeBlank_);
  });
}

int32_t uscEntityCode::ClassName() {
  int32_t result = 0;
  vb::Guard(kModule, "Get_ClassName", [&] { result = class_; });
  return result;
}

void uscEntityCode::SetClassName(int32_t vClassName) {
  vb::Guard(kModule, "Let_ClassName", [&] {
    class_ = vClassName;
    if (cmbCodes->count() >= 2) return;
    cmbCodes->setCurrentIndex(-1);
    cmbCodes->clear();
    const std::optional<records::RecordTable> table = TableOf(vClassName);
    if (!table)
      vb::Raise(vb::kProgrammingError, "",
                "Programming error. Case not coded. You have added a new type of code for the control to handle, "
                "but forgot to code its details.");
    SetClassNameText(records::TableName(*table));
    cmbCodes->addItem(QString::fromStdString(GetClassNameText()));
    cmbCodes->setCurrentIndex(0);
    SetDefault(0);
  });
}

std::string uscEntityCode::Text() {
  std::string result;
  vb::Guard(kModule, "Get_Text", [&] { result = cmbCodes->currentText().toStdString(); });
  return result;
}

void uscEntityCode::SetText(const std::string& vText) {
  vb::GuardWith(
      kModule, "Let_Text",
      [&](const vb::ErrObject& e) {
        if (e.Number != kInvalidPropertyValue) return false;
        ui::Beep();
        ui::MsgBox("Programming / database data error. The code description '" + vText + "' is not a valid '" +
                       GetClassNameText() + "' code. You are trying to set '" + vText +
                       "' as the selected option, but this option is not valid for the combo box in class '" +
                       objectName().toStdString() + "'.",
                   ui::vbCritical, "uscEntityCode");
        return true;
      },
      [&] {
        if (vText.empty()) {
          cmbCodes->setCurrentIndex(-1);
          return;
        }
        const int index = cmbCodes->findText(QString::fromStdString(vText), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0) vb::Raise(kInvalidPropertyValue);
        cmbCodes->setCurrentIndex(index);
      });
}

std::string uscEntityCode::Id() {
  std::string result;
  vb::GuardWith(
      kModule, "Get_Id",
      [&](const vb::ErrObject& e) {
        result.clear();
        return e.Number == kSubscriptOutOfRange;
      },
      [&] {
        if (cmbCodes->count() == 0) {
          ui::Beep();
          vb::Raise(vb::kProgrammingError, "",
                    "There are no entries in the list. Please make sure that there are entires on the codes table.");
        }
        const int index = cmbCodes->currentIndex();
        if (index < 0) {
          result = "-1";
          return;
        }
        // The descriptive design entry, or more entries than ids, has no id of its own.
        if (static_cast<std::size_t>(index) >= ids_.size()) vb::Raise(kSubscriptOutOfRange);
        result = ids_[static_cast<std::size_t>(index)];
      });
  return result;
}

void uscEntityCode::SetId(const std::string& vId) {
  vb::Guard(kModule, "Let_Id", [&] {
    if (cmbCodes->count() == 0) {
      ui::Beep();
      vb::Raise(vb::kProgrammingError, "",
                "There are no entries in the list '" + GetClassNameText() +
                    "'. Please make sure that there are entires on the codes table.");
    }
    for (std::size_t i = 0; i < ids_.size(); ++i) {
      if (ids_[i] == vId) {
        if (static_cast<int>(i) >= cmbCodes->count()) vb::Raise(kSubscriptOutOfRange);
        cmbCodes->setCurrentIndex(static_cast<int>(i));
        return;
      }
    }
    if (vId != "0" && vId != "-1")
      vb::Raise(vb::kProgrammingError, "",
                "Invalid property value for id. The Id property that was set ('" + vId +
                    "') is not a valid id for this class ('" + GetClassNameText() +
                    "'). Please make sure the default value supplied is correct.");
  });
}

int32_t uscEntityCode::Default() {
  int32_t result = 0;
  vb::Guard(kModule, "Get_Default", [&] { result = default_; });
  return result;
}

void uscEntityCode::SetDefault(int32_t vDefault) {
  vb::Guard(kModule, "Let_Default", [&] {
    default_ = vDefault;
    if (cmbCodes->count() >= 2) return;
    if (vDefault == 0)
      SetDefaultCode("None");
    else if (TableOf(vDefault))
      SetDefaultCode("1");
    else
      vb::Raise(vb::kProgrammingError, "",
                "Programming error. Case not coded. You have added a new default value, but forgot to code its "
                "details.");
    cmbCodes->setCurrentIndex(-1);
    cmbCodes->clear();
    cmbCodes->addItem(QString::fromStdString(GetClassNameText() + " (Default: " + GetDefaultCode() + ")"));
    cmbCodes->setCurrentIndex(0);
  });
}

bool uscEntityCode::IncludeBlank() {
  bool result = false;
  vb::Guard(kModule, "Get_IncludeBlank", [&] { result = includeBlank_; });
  return result;
}

void uscEntityCode::SetIncludeBlank(bool vIncludeBlank) {
  vb::Guard(kModule, "Let_IncludeBlank", [&] { includeBlank_ = vIncludeBlank; });
}

bool uscEntityCode::Enabled() {
  bool result = false;
  vb::Guard(kModule, "Get_Enabled", [&] { result = enabled_; });
  return result;
}

void uscEntityCode::SetEnabled(bool vEnabled) {
  vb::Guard(kModule, "Let_Enabled", [&] {
    enabled_ = vEnabled;
    cmbCodes->setEnabled(vEnabled);
  });
}

std::string uscEntityCode::GetClassNameText() {
  std::string result;
  vb::Guard(kModule, "Get_ClassNameText", [&] { result = classNameText_; });
  return result;
}

void uscEntityCode::SetClassNameText(const std::string& text) {
  vb::Guard(kModule, "Let_ClassNameText", [&] { classNameText_ = text; });
}

std::string uscEntityCode::GetDefaultCode() {
  std::string result;
  vb::Guard(kModule, "Get_DefaultCode", [&] { result = defaultCode_; });
  return result;
}

void uscEntityCode::SetDefaultCode(const std::string& text) {
  vb::Guard(kModule, "Let_DefaultCode", [&] { defaultCode_ = text; });
}

bool uscEntityCode::LoadData() {
  bool result = false;
  vb::Guard(kModule, "LoadData", [&] {
    std::unique_ptr<dao::Recordset> rs = AllRows(class_);
    cmbCodes->clear();
    if (blnDataReturned(rs)) {
      std::size_t next = 0;
      rs->MoveLast();
      const auto n = static_cast<std::size_t>(rs->RecordCount());
      if (includeBlank_) {
        ids_.assign(n + 1, std::string());
        cmbCodes->addItem(QString());
        ids_[0] = "-1";
        next = 1;
      } else {
        ids_.assign(n, std::string());
      }
      rs->MoveFirst();
      while (!rs->Eof()) {
        std::string text;
        for (int f = 0; f < rs->FieldCount(); ++f) {
          const vb::Variant v = rs->Fields(f);
          text += "; " + (v.IsNull() ? std::string(" ") : vb::CStr(v));
        }
        cmbCodes->addItem(QString::fromStdString(text));
        const vb::Variant key = rs->Fields(0);
        ids_[next++] = key.IsNull() ? std::string() : vb::CStr(key);
        rs->MoveNext();
      }
    }
    CloseRecordset(rs);
    rs.reset();
    if (GetDefaultCode() != "None") SetId(GetDefaultCode());
    result = true;
  });
  return result;
}
