// The failure convention: the body's failure is reported once under the handler's names, the
// pending error is cleared, and the function returns what it held.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ui/MsgBox.h"
#include "runtime/Guard.h"
#include "runtime/Math.h"

namespace {

// A procedure without a handler: its failure goes to the caller's handler.
double Inner(double x) { return vb::Div(1, x); }

int Outer(double x, bool& finished) {
  int result = 0;
  finished = vb::Guard("modTest", "Outer", [&] {
    result = 7;
    Inner(x);
    result = 8;
  });
  return result;
}

TEST(Guard, ReportsUnderTheHandlersNamesAndKeepsTheResult) {
  ui::MsgBoxRecorder rec;
  bool finished = true;
  EXPECT_EQ(Outer(0, finished), 7);
  EXPECT_FALSE(finished);
  ASSERT_EQ(rec.boxes().size(), 1u);
  EXPECT_NE(rec.boxes()[0].prompt.find(" 'modTest' at procedure 'Outer'."), std::string::npos)
      << rec.boxes()[0].prompt;
  EXPECT_NE(rec.boxes()[0].prompt.find("Error Number: 11\r\n\r\nDivision by zero"), std::string::npos);
  EXPECT_EQ(vb::Err().Number, 0);
  EXPECT_TRUE(vb::Err().Description.empty());

  EXPECT_EQ(Outer(2, finished), 8);
  EXPECT_TRUE(finished);
  EXPECT_EQ(rec.boxes().size(), 1u);
}

TEST(Guard, MapsForeignExceptionsAndNeverThrows) {
  ui::MsgBoxRecorder rec;
  vb::Guard("m", "p", [] { throw std::out_of_range("index"); });
  vb::Guard("m", "p", [] { throw 42; });
  ASSERT_EQ(rec.boxes().size(), 2u);
  EXPECT_NE(rec.boxes()[0].prompt.find("Error Number: 9"), std::string::npos);
  EXPECT_NE(rec.boxes()[1].prompt.find("Error Number: 51"), std::string::npos);

  // Even a failing box does not let the error out.
  ui::SetMsgBoxSink([](const std::string&, int, const std::string&) -> int { throw std::runtime_error("no display"); });
  EXPECT_NO_THROW(vb::Guard("m", "p", [] { vb::Raise(5); }));
  EXPECT_EQ(vb::Err().Number, 0);
}

TEST(Guard, HandlerMayTreatANumberItself) {
  ui::MsgBoxRecorder rec;
  auto only3420 = [](const vb::ErrObject& e) { return e.Number == 3420; };
  EXPECT_FALSE(vb::GuardWith("m", "p", only3420, [] { vb::Raise(3420); }));
  EXPECT_TRUE(rec.boxes().empty());
  EXPECT_EQ(vb::Err().Number, 0);
  vb::GuardWith("m", "p", only3420, [] { vb::Raise(3704); });
  EXPECT_EQ(rec.boxes().size(), 1u);
}

TEST(Guard, TryKeepsTheErrorPendingWithoutABox) {
  ui::MsgBoxRecorder rec;
  EXPECT_FALSE(vb::Try([] { vb::Raise(53, "src"); }));
  EXPECT_EQ(vb::Err().Number, 53);
  EXPECT_EQ(vb::Err().Source, "src");
  EXPECT_EQ(vb::Err().Description, "File not found");
  EXPECT_TRUE(rec.boxes().empty());
  vb::Err().Clear();
}

}  // namespace
