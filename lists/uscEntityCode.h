// A drop-down that lists every record of one record class and exposes the picked record's id.
// A window chooses the class, an optional default id and a leading blank entry in its design;
// the list loads from the database when the design is read. Reports under "uscEntityCode".
#pragma once
#include <QComboBox>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "records/RecordTables.h"
#include "runtime/Variant.h"

// The code of a record class the control can list: ten times the table's place, from 10.
constexpr int32_t EntityCodeOf(records::RecordTable table) { return 10 * (static_cast<int32_t>(table) + 1); }

class uscEntityCode : public QWidget {
  Q_OBJECT

 public:
  enum ClassCode : int32_t {
    ecCompounds = EntityCodeOf(records::RecordTable::Compounds),
    ecCorvix = EntityCodeOf(records::RecordTable::Corvix),
    ecEmission = EntityCodeOf(records::RecordTable::Emission),
    ecAdvancedDetail = EntityCodeOf(records::RecordTable::AdvancedDetail),
    ecEnvironment = EntityCodeOf(records::RecordTable::Environment),
    ecRun = EntityCodeOf(records::RecordTable::Run)
  };
  static_assert(ecCompounds == 10 && ecRun == 60);
  // The saved design of the control: one value per key.
  using PropertyBag = std::map<std::string, vb::Variant>;

  explicit uscEntityCode(const QString& name, QWidget* parent = nullptr);

  int32_t ClassName();
  void SetClassName(int32_t vClassName);
  std::string Text();
  void SetText(const std::string& vText);
  std::string Id();
  void SetId(const std::string& vId);
  int32_t Default();
  void SetDefault(int32_t vDefault);
  bool IncludeBlank();
  void SetIncludeBlank(bool vIncludeBlank);
  bool Enabled();
  void SetEnabled(bool vEnabled);

  // The container's events: first placement, reading and saving the design.
  void UserControl_InitProperties();
  void UserControl_ReadProperties(const PropertyBag& bag);
  void UserControl_WriteProperties(PropertyBag& bag);

  QComboBox* cmbCodes;

 signals:
  void ComboClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::string GetClassNameText();
  void SetClassNameText(const std::string& text);
  std::string GetDefaultCode();
  void SetDefaultCode(const std::string& text);
  bool LoadData();

  int32_t class_ = 0;
  std::string classNameText_;
  int32_t default_ = 0;
  std::string defaultCode_;
  std::vector<std::string> ids_;
  bool includeBlank_ = false;
  bool enabled_ = false;
};
