// PVCTimer: interval bookkeeping and report texts.
#include <gtest/gtest.h>
#include <varnex/base/messages.h>
#include <varnex/base/timer.h>

#include <string>

namespace {

TEST(Timer, SecondStartKeepsTheFirst) {
  PVCTimer timer("t");
  EXPECT_EQ(timer.Start(), 1);
  volatile double sink = 0;
  for (int i = 0; i < 100000; ++i) {
    sink = sink + i;
  }
  EXPECT_EQ(timer.Start(), 1);
  timer.Stop();
  timer.Stop();
  EXPECT_EQ(timer.Count(), 1);
  EXPECT_GT(timer.Time(0), 0.0);
}

TEST(Timer, GrowthKeepsEveryDurationAndIndexesClamp) {
  PVCTimer timer(nullptr);
  EXPECT_STREQ(timer.Name(), "Unbekannt");
  for (int i = 0; i < 513; ++i) {
    timer.Start();
    timer.Stop();
  }
  EXPECT_EQ(timer.Count(), 513);
  EXPECT_EQ(timer.Capacity(), 1024);
  EXPECT_EQ(timer.Time(-5), timer.Time(0));
  EXPECT_EQ(timer.Time(513 + 3), timer.LastTime());
  EXPECT_LE(timer.MinTime(), timer.AvgTime());
  EXPECT_LE(timer.AvgTime(), timer.MaxTime());
  EXPECT_NEAR(timer.AvgTime() * 513, timer.AllTime(), 1e-12);

  PVCTimer copy(timer);
  timer.Clear();
  EXPECT_EQ(timer.Count(), 0);
  EXPECT_EQ(copy.Count(), 513) << "a copy owns its own durations";
}

TEST(Timer, ReportTexts) {
  PVCTimer timer("load");
  EXPECT_STREQ(timer.Print(0, nullptr, -1),
               "\nTimer:\t<load>\n\nNoch kein Timereintrag vorhanden!\n");
  timer.Start();
  timer.Stop();
  std::string stats = timer.Print(0, "phase", -1);
  EXPECT_EQ(stats.rfind("\nTimer:\t<load>\n'phase'\n\nAnzahl der Aufrufe:\t1\n\nZeiten in "
                        "Sekunden:\nGesamt:    \t",
                        0),
            0u);
  EXPECT_NE(stats.find("\nMaximal:   \t"), std::string::npos);
  std::string entry = timer.Print(0, nullptr, 0);
  EXPECT_EQ(entry.rfind("Timer: <load> Time: [0] ", 0), 0u);
  PVCTimer longName(std::string(300, 'n').c_str());
  EXPECT_EQ(std::string(longName.Print(0, nullptr, -1)).find(std::string(300, 'n')), 9u);
}

struct RecordingHandler : PVFHandleMessage {
  std::string title, text;
  void Information(const char* t, const char* x) override {
    title = t;
    text = x;
  }
};

TEST(Timer, ModeTwoGoesToTheHost) {
  RecordingHandler handler;
  PVFHandleMessage* previous = pPVFHandleMessage;
  pPVFHandleMessage = &handler;
  PVCTimer timer("host");
  const char* text = timer.Print(2, nullptr, -1);
  pPVFHandleMessage = previous;
  EXPECT_EQ(handler.title, "Timer Statistic");
  EXPECT_EQ(handler.text, text);
}

}  // namespace
