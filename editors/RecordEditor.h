// The one base of the six record editors: the modes, the record id, the parent window, opening and
// closing, the Save and Close buttons, the menu and toolbar enabling, field-check messages and the
// update of the parent list. A member supplies its fields and GetData, IsValid, StoreFields,
// ProcessMode, RefreshParent and ClearFields.
#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/ui/Form.h"
#include "records/RunUse.h"
#include "shell/FormMode.h"

namespace dao {
class Recordset;
}

namespace ui {
class ListView;
class ListItem;
}  // namespace ui

namespace editors {

// A field's text as a number of its column's type. A text that is none raises 13, one beyond the
// type's range 6; either way the field is kept for the invalid-data message that names it.
double FieldDouble(const QLineEdit* field);
float FieldSingle(const QLineEdit* field);
int32_t FieldLong(const QLineEdit* field);
// The caption that names a field to the user: its accessible name, else its label's caption.
std::string FieldCaption(const QLineEdit* field);

struct EditorSpec {
  const char* name;        // "frmCompounds": also the module name in the error box
  const char* getIdName;   // "Get_Cmpid"
  const char* letIdName;   // "Let_Cmpid"
  std::array<const char*, 4> captions;  // view, edit, add, copy (nullptr: the mode is not offered)
  bool copyLoads;          // copy mode loads the record
  int buttonOffset;        // 225 or 135; negative: the member resizes itself
};

class RecordEditor : public ui::Form {
  Q_OBJECT
  Q_PROPERTY(int Mode READ Mode WRITE SetMode)
  Q_PROPERTY(QWidget* frmParent READ frmParent WRITE SetfrmParent)

 public:
  explicit RecordEditor(const EditorSpec& spec);

  int Mode() const;
  void SetMode(int vMode);
  int32_t Id() const;
  void SetId(int32_t vlngData);
  QWidget* frmParent() const;
  void SetfrmParent(QWidget* rfrmParent);

  // File Save: the Save button's checks, the store and the parent list's row, but the window stays
  // open; after an add it goes on as an edit of the new record, so a second File Save adds
  // nothing. A field that is no number of its column's type gives the invalid-data message. False
  // when nothing was stored, also in view mode.
  Q_INVOKABLE bool SaveDetails();
  Q_INVOKABLE void CloseForm();
  Q_INVOKABLE void ClearForm();
  Q_INVOKABLE void EnableMenus();

  QPushButton* cmdOK;
  QPushButton* cmdCancel;

  // The Save button's sequence: checks, store, parent list, unload.
  void cmdOK_Click();
  void cmdCancel_Click();
  // Places the two buttons at the bottom right (every failure ignored).
  void Form_Resize() override;

  static constexpr const char* kInvalidData =
      "Invalid data. The data you are trying to save is invalid. Please make sure that all the data that you are "
      "entering is valid.";
  // The invalid-data message with the field and the text it refuses.
  static std::string InvalidData(const QLineEdit* field);

 protected:
  const char* Name() const { return spec_.name; }
  bool ViewMode() const { return mode_ == modView; }
  bool AddingMode() const { return mode_ == modAdd || mode_ == modCopy; }

  // The member's own steps; each runs inside its own error handler under its own name.
  virtual void BeforeLoad() {}
  virtual void AfterGetData() {}
  virtual void AfterLoad() {}
  virtual void OnActivate() {}
  // True when the record was read; the fields are untouched otherwise.
  virtual bool GetData() = 0;
  virtual bool CheckFields() = 0;
  // Writes through the record class; false when the record class stored nothing.
  virtual bool StoreFields() = 0;
  // The editor's own row by its id, as the record class lists it; null on a failure.
  virtual std::unique_ptr<dao::Recordset> OwnRow() const = 0;
  virtual void ApplyMode() = 0;
  virtual void UpdateParent() = 0;
  virtual void ClearFields() = 0;
  virtual void ResizeControls() {}
  // False while the member's own state forbids a save (it shows why): the menus leave Save off.
  virtual bool SaveAllowed() const { return true; }

  // Edit mode, before the store: true when the record must stay as it is (the member has said
  // why). A run made while the editor was open names it, for instance.
  virtual bool RefusesEdit() { return false; }
  // True, after the list's refusal, when a run names the record; also when the runs cannot be read.
  bool RefusedAsUsed(RunColumn column);

  // The guarded member operations.
  bool IsValid();
  void ProcessMode();
  void RefreshParent();

  // Common parts of ProcessMode: the caption of the mode; every control enabled or disabled (a
  // control that refuses is skipped); the view mode's Save button and Close button.
  void SetModeCaption();
  void EnableAllControls(bool enabled);
  void ApplyViewMode(bool hideSave);

  // A failed field check: beep, the exclamation box, the focus on the field when it is enabled (its
  // text is not selected). Returns false.
  bool Reject(const std::string& message, QWidget* focus);
  // A field check that meets a text which is no number: the invalid-data box naming it. False.
  bool RejectInvalidData(const QLineEdit* field);

  // The parent window's list (error 438 when it has none).
  ui::ListView* ParentList() const;
  // The new record's row: key "KY_<id>", selected and scrolled into view.
  ui::ListItem* AddParentRow(const std::string& text, const std::vector<std::string>& subItems);
  void UpdateSelectedRow(const std::vector<std::pair<int, std::string>>& subItems);
  // For an editor whose list shows every field: edit updates the selected row's cells 1..n, add adds a row.
  void UpdateParentWithFields(const std::string& idText, std::span<QLineEdit* const> fields);

  // Builders of labelled fields (twips).
  QLineEdit* AddText(QWidget* parent, const char* name, const std::string& labelCaption, double left, double top,
                     double labelWidth = 1800, double width = 1300, const std::string& unit = {});
  QLabel* AddLabel(QWidget* parent, const char* name, const std::string& caption, double left, double top,
                   double width, double height = 285);

  // Empties the fields that the user can see; hidden ones keep what the record holds.
  void ClearShownFields(std::span<QLineEdit* const> fields);
  // An empty (or blank) text is 0; any other text is converted as typed (error 13 when no number).
  static double NumberOrZero(const std::string& text);

  // Field texts.
  static std::string TextOf(const QLineEdit* field);
  static void SetTextOf(QLineEdit* field, const std::string& text);

  void Form_Load() override;
  void Form_Activate() override;
  bool Form_QueryUnload() override;
  // Enter saves as the Save button, Escape closes as the Close button; a focused push button takes
  // Enter itself.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // IsValid, the store, the parent list's row; an add goes on as an edit. True when stored.
  bool Save();
  // The guarded store; false in view mode and when the member refuses the edit.
  bool Store();
  // The tab order follows the fields, the Save and Close buttons last; the focus starts in the
  // first field that takes it.
  void ArrangeFocus();
  // The parent window and, inside the main window, its frame: a disabled parent cannot be brought
  // in front of its editor.
  void SetParentEnabled(bool enabled);
  // Pulls the window's frame back into the main window's client area where it hangs out of it.

  EditorSpec spec_;
  int32_t mode_ = modView;
  int32_t id_ = 0;
  QPointer<QWidget> parent_;
};

}  // namespace editors
