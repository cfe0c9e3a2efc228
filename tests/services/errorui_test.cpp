#include <gtest/gtest.h>

#include <QWidget>

#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "runtime/VbError.h"
#include "services/ErrorUI.h"

namespace {

void Pend(int32_t number, std::string source, std::string description) {
  vb::Err().Set(vb::VbError(number, std::move(source), description));
  // VbError fills an empty description with the standard text; the box shows what is pending.
  vb::Err().Description = description;
}

TEST(ErrorBox, ShowsTheFullTextUnderStopStyle) {
  ui::MsgBoxRecorder rec;
  Pend(3024, "DAO.Workspace", "Could not find file 'x'.");
  ErrorUI::ShowError("DAOConnect.bas", "OpenDatabase");
  ASSERT_EQ(rec.boxes().size(), 1u);
  EXPECT_EQ(rec.boxes()[0].prompt,
            "An error has occurred in the application in module\r\n"
            " 'DAOConnect.bas' at procedure 'OpenDatabase'.\r\n\r\n"
            "Error Number: 3024\r\n\r\n"
            "Could not find file 'x'.\r\n\r\n"
            "Please contact your system's administrator.");
  EXPECT_EQ(rec.boxes()[0].style, 16);
  EXPECT_EQ(rec.boxes()[0].title, "Tulmo");
  EXPECT_EQ(rec.events(), (std::vector<std::string>{"beep", "box:" + rec.boxes()[0].prompt}));
  // The box changes nothing of the pending error.
  EXPECT_EQ(vb::Err().Number, 3024);
  vb::Err().Clear();
}

TEST(ErrorBox, ValidationSourceShowsTheDescriptionAloneAsAWarning) {
  struct Case {
    const char* source;
    bool warning;
  };
  for (const Case& c : {Case{"Validation", true}, Case{"validation", false}, Case{"Validation ", false}}) {
    ui::MsgBoxRecorder rec;
    Pend(10000, c.source, "Value too large");
    ErrorUI::ShowError("frmCompounds", "cmdOK_Click");
    ASSERT_EQ(rec.boxes().size(), 1u);
    EXPECT_EQ(rec.beeps(), 1);
    if (c.warning) {
      EXPECT_EQ(rec.boxes()[0].prompt, "Value too large");
      EXPECT_EQ(rec.boxes()[0].style, 48);
    } else {
      EXPECT_EQ(rec.boxes()[0].style, 16) << "source '" << c.source << "'";
    }
  }
  vb::Err().Clear();
}

TEST(ErrorBox, EmptyDescriptionAndNegativeNumber) {
  ui::MsgBoxRecorder rec;
  Pend(-2147217900, "", "");
  ErrorUI::ShowError("Main", "Main");
  const std::string& text = rec.boxes().at(0).prompt;
  EXPECT_NE(text.find("Error Number: -2147217900\r\n\r\n\r\n\r\nPlease contact"), std::string::npos) << text;
  vb::Err().Clear();
}

TEST(ErrorBox, UnloadsTheSplashFirst) {
  ui::MsgBoxRecorder rec;
  auto* splash = new QWidget;
  splash->setObjectName("frmSplash");
  ui::RegisterForm(splash);
  QWidget other;
  other.setObjectName("MDIMain");
  ui::RegisterForm(&other);
  Pend(5, "", "x");
  ErrorUI::ShowError("m", "p");
  EXPECT_EQ(ui::FindForm("frmSplash"), nullptr);
  EXPECT_EQ(ui::Forms(), std::vector<QWidget*>{&other});
  EXPECT_EQ(rec.boxes().size(), 1u);

  // Without a splash nothing is unloaded.
  ErrorUI::ShowError("m", "p");
  EXPECT_EQ(ui::Forms(), std::vector<QWidget*>{&other});
  vb::Err().Clear();
}

}  // namespace
