// The key-generation window driven offscreen, and its search checked against
// an independent replay of the draws.
#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <numeric>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/framework/runtime.h"
#include "app/framework/window.h"
#include "crypt/bignum/bignum.h"
#include "crypt/windowde.h"
#include "crypt/windowen.h"
#include "keygen/candidates.h"
#include "keygen/primesearch.h"
#include "keygen/windowgk.h"
#include "support/message_recorder.h"
#include "support/test_key.h"

namespace {

using bn::BigInteger;
using keygen::WindowGK;

class KeygenTest : public testing::Test {
 protected:
  void TearDown() override { CloseAllWindows(); }
};

BigInteger Big(std::int64_t value) {
  return BigInteger(std::to_string(value));
}

// Every text field and text area of the window, in creation order.
std::vector<std::string> FieldTexts(const class WindowGK& w) {
  return {w.TextFieldEstLen().Text(), w.TextAreap().Text(),
          w.TextAreaq().Text(),       w.TextArean().Text(),
          w.TextAreae().Text(),       w.TextAread().Text(),
          w.TextFieldLen().Text(),    w.TextFieldNumNonPrimes().Text()};
}

// Presses Go with the given inputs; a search still running after 20 seconds is
// stopped by closing the window, so a failing test cannot hang.
void PressGo(class WindowGK& w, const std::string& length, const std::string& exponent) {
  w.TextFieldEstLen().SetText(length);
  w.TextAreae().SetText(exponent);
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&w] { w.Close(); });
  guard.start(20000);
  w.PushButton1().Push();
}

// The acceptance rule in integers: p - q > 2 n^(1/4) as (p - q)^4 > 16 n, and
// d > n^(1/4) / 3 as 81 d^4 > n.
bool KeyRuleHolds(const BigInteger& q, const BigInteger& p, const BigInteger& e,
                  const BigInteger& d) {
  const BigInteger n = p * q, phi = (p - 1) * (q - 1), gap = p - q;
  return e < phi && bn::fpGCD(e, phi) == 1 && gap > 0 && gap * gap * gap * gap > 16 * n &&
         (p > 2 * q || 81 * (d * d * d * d) > n);
}

// What a finished press shows, checked without the window's own arithmetic.
void ExpectValidKey(const class WindowGK& w, std::int32_t length, const BigInteger& e) {
  const BigInteger p(w.TextAreap().Text()), q(w.TextAreaq().Text());
  const BigInteger n(w.TextArean().Text()), d(w.TextAread().Text());
  EXPECT_TRUE(bn::fpIsItPrime(p, 30)) << bn::Str(p);
  EXPECT_TRUE(bn::fpIsItPrime(q, 30)) << bn::Str(q);
  EXPECT_EQ(n, p * q);
  const BigInteger phi = (p - 1) * (q - 1);
  EXPECT_EQ(bn::fpPowerMod(d * e, Big(1), 0, phi), 1) << "d is not the inverse of e";
  EXPECT_TRUE(KeyRuleHolds(q, p, e, d)) << "q " << bn::Str(q) << " p " << bn::Str(p);
  EXPECT_GE(bn::fpNumBits(n), length);
  EXPECT_EQ(w.TextFieldLen().Text(), std::to_string(bn::fpNumBits(n)));
}

// --- The window as built ---

TEST_F(KeygenTest, NewWindowHoldsTheDefaultExponentAndNothingElse) {
  const auto w = keygen::WindowGK();
  EXPECT_TRUE(w->IsVisible());
  EXPECT_EQ(w->Widget()->windowTitle(), "GenKeys");
  EXPECT_EQ(w->Content()->size(), QSize(665, 481));
  EXPECT_EQ(FieldTexts(*w), (std::vector<std::string>{"", "", "", "", "65537", "", "", ""}));
  EXPECT_EQ(keygen::WindowGK(), w) << "a second request returns the open window";
  // Tab moves through the controls that take the focus in creation order.
  std::vector<std::string> chain;
  QWidget* first = w->TextFieldEstLen().Widget();
  QWidget* widget = first;
  do {
    if (widget->focusPolicy() & Qt::TabFocus &&
        w->ControlByName(widget->objectName().toStdString()))
      chain.push_back(widget->objectName().toStdString());
    widget = widget->nextInFocusChain();
  } while (widget != first);
  EXPECT_EQ(chain, (std::vector<std::string>{"TextFieldEstLen", "PushButton1", "TextAreap",
                                             "TextAreaq", "TextArean", "TextAreae", "TextAread",
                                             "TextFieldLen", "TextFieldNumNonPrimes"}));
}

TEST_F(KeygenTest, WindowBuiltAfterACloseIsFresh) {
  auto w = keygen::WindowGK();
  PressGo(*w, "40", "17");
  w->TextAreae().SetText("3");
  ASSERT_FALSE(w->TextAreap().Text().empty());
  w->Close();
  const auto rebuilt = keygen::WindowGK();
  EXPECT_NE(rebuilt, w);
  EXPECT_EQ(FieldTexts(*rebuilt), (std::vector<std::string>{"", "", "", "", "65537", "", "", ""}));
}

// --- Inputs that end the press at once ---

TEST_F(KeygenTest, ShortLengthOrSmallExponentEndsThePressUntouched) {
  MessageRecorder messages;
  const auto w = keygen::WindowGK();
  // The exponent "x" would make BigInteger throw, which would show a message:
  // after a short length it is not even read.
  for (const char* length : {"", "4", "4.4", "-9", "abc", "4e0", "99999999999"}) {
    SCOPED_TRACE(length);
    PressGo(*w, length, "x");
    EXPECT_EQ(FieldTexts(*w), (std::vector<std::string>{length, "", "", "", "x", "", "", ""}));
  }
  for (const char* exponent : {"2", "1", "0", "-65537", ""}) {
    SCOPED_TRACE(exponent);
    PressGo(*w, "64", exponent);
    EXPECT_EQ(FieldTexts(*w), (std::vector<std::string>{"64", "", "", "", exponent, "", "", ""}));
  }
  EXPECT_TRUE(messages.Messages().empty());
}

// Each of these would search for ever, or freeze the window for seconds at
// every candidate: refused before the search, with the window still open (the
// guard in PressGo was not needed) and nothing written.
TEST_F(KeygenTest, SearchesThatCouldNeverEndOrWouldFreezeAreRefused) {
  MessageRecorder messages;
  const auto w = keygen::WindowGK();
  const std::vector<std::pair<std::string, std::string>> cases{
      {"64", "65536"},                 // even: phi is a multiple of 4
      {"2048", "4"},                   // even, at a real key size
      {"14", "65537"},                 // q <= 127 and p <= 257: phi < 65537
      {"5", "75"},                     // every phi above 75 (only 96) shares the factor 3
      {"25", "134397897"},             // only the largest primes' phi exceeds e, sharing 3
      {"26", "134397897"},             // the same k, 13
      {"28", "537755697"},             // as at 25, for k = 14
      {"30", "2147614715"},            // and for k = 15
      {"64", "73786976294838206465"},  // 2^66 + 1: above the largest reachable phi
      {"16385", "65537"},              // one bit past the longest modulus drawn
      {"1000000", "x"},                // so long that the exponent is not even read
  };
  for (const auto& [length, exponent] : cases) {
    SCOPED_TRACE(length + " bits, e = " + exponent);
    PressGo(*w, length, exponent);
    EXPECT_FALSE(w->IsClosed());
    EXPECT_EQ(FieldTexts(*w), (std::vector<std::string>{length, "", "", "", exponent, "", "", ""}));
  }
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(KeygenTest, ExponentThatHoldsNoNumberIsTheComponentsToReport) {
  MessageRecorder messages;
  const auto w = keygen::WindowGK();
  PressGo(*w, "64", "12a");
  EXPECT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(FieldTexts(*w), (std::vector<std::string>{"64", "", "", "", "12a", "", "", ""}));
}

// --- Keys ---

TEST_F(KeygenTest, KeysOfSeveralLengthsPassTheRuleAndReachTheLength) {
  MessageRecorder messages;
  const auto w = keygen::WindowGK();
  const std::string longerThan64Bits = bn::Str(PowerOfTwo(89) - 1);
  const std::vector<std::pair<std::int32_t, std::string>> cases{
      {5, "3"},
      {15, "65537"},
      {16, "65537"},
      {31, "3"},
      {33, "65537"},
      {64, "17"},
      {127, "3"},
      {128, "5"},
      {513, "65537"},
      {1024, "65537"},
      {512, longerThan64Bits},
  };
  for (const auto& [length, exponent] : cases) {
    SCOPED_TRACE(std::to_string(length) + " bits, e = " + exponent);
    PressGo(*w, std::to_string(length), exponent);
    ASSERT_FALSE(w->IsClosed()) << "the search did not end";
    ExpectValidKey(*w, length, BigInteger(exponent));
  }
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(KeygenTest, ExponentJustBelowTheOnlyLargeEnoughPhiStillGivesAKey) {
  // With 5 bits the reachable primes are q in {5, 7} and p in {11, 13, 17};
  // only (17, 7) has phi = 96 > 95.
  const auto w = keygen::WindowGK();
  PressGo(*w, "5", "95");
  EXPECT_EQ(w->TextAreap().Text(), "17");
  EXPECT_EQ(w->TextAreaq().Text(), "7");
  EXPECT_EQ(w->TextAread().Text(), "95");  // 95 * 95 = 1 (mod 96)
}

TEST_F(KeygenTest, KeyIsHandedToHiddenEncryptionAndDecryptionWindows) {
  const auto encoder = cipher::WindowEn();
  encoder->TextAreact().SetText("kept");
  ASSERT_TRUE(encoder->IsVisible());
  const auto w = keygen::WindowGK();
  w->TextFieldEstLen().SetText("96");
  w->TextAreae().SetText("");
  QTest::keyClicks(static_cast<QPlainTextEdit*>(w->TextAreae().Widget()), "0065537");
  w->PushButton1().Push();

  ASSERT_FALSE(w->TextArean().Text().empty());
  EXPECT_EQ(w->TextAreae().Text(), "0065537");
  EXPECT_EQ(cipher::WindowEn(), encoder);
  EXPECT_FALSE(encoder->IsVisible());
  EXPECT_EQ(encoder->TextArean().Text(), w->TextArean().Text());
  EXPECT_EQ(encoder->TextFielde().Text(), "65537");
  EXPECT_EQ(encoder->TextAreact().Text(), "kept");
  const auto decoder = cipher::WindowDe();
  EXPECT_FALSE(decoder->IsVisible()) << "built for the hand-over and hidden at once";
  EXPECT_EQ(decoder->TextArean().Text(), w->TextArean().Text());
  EXPECT_EQ(decoder->TextAread().Text(), w->TextAread().Text());
  EXPECT_TRUE(w->IsVisible());
}

TEST_F(KeygenTest, GeneratedKeyEncryptsAndDecryptsThroughTheRealWindows) {
  MessageRecorder messages;
  const auto w = keygen::WindowGK();
  PressGo(*w, "512", "65537");
  const std::string clearText = "Kelvane keys, fresh from the window.";
  cipher::WindowEn()->TextAreact().SetText(clearText);
  cipher::WindowEn()->PushButton1().Push();
  cipher::WindowDe()->PushButton1().Push();
  EXPECT_EQ(cipher::WindowDe()->TextAreaOut().Text(), clearText);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(KeygenTest, EveryPressDrawsAFreshKey) {
  const auto w = keygen::WindowGK();
  PressGo(*w, "64", "65537");
  const std::string first = w->TextArean().Text();
  PressGo(*w, "64", "65537");
  EXPECT_FALSE(first.empty());
  EXPECT_NE(w->TextArean().Text(), first);
}

// What one press does, in order: each text it writes, each paint of the
// counter with its text, each window it hides, and each turn of the event loop
// with the counter's text at that moment.
class PressRecorder final : public QObject {
 public:
  explicit PressRecorder(const class WindowGK& w) : w_(w) {
    Watch(w.TextFieldNumNonPrimes(), "write");
    Watch(w.TextAreaq(), "q");
    Watch(w.TextAreap(), "p");
    Watch(w.TextArean(), "n");
    Watch(w.TextFieldLen(), "len");
    Watch(w.TextAread(), "d");
    Watch(cipher::WindowEn()->TextArean(), "En n");
    Watch(cipher::WindowEn()->TextFielde(), "En e");
    Watch(cipher::WindowDe()->TextArean(), "De n");
    Watch(cipher::WindowDe()->TextAread(), "De d");
    hidings_[cipher::WindowEn()->Widget()] = "En hidden";
    hidings_[cipher::WindowDe()->Widget()] = "De hidden";
    for (const auto& [widget, entry] : hidings_) widget->installEventFilter(this);
    w.TextFieldNumNonPrimes().Widget()->installEventFilter(this);
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, this,
                     [this] {
                       if (recording_) log_.push_back("turn " + Counter());
                     });
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.Widget()));  // so that a repaint paints at once
  }

  // Every result field is emptied and both key windows shown first, so that
  // each write and each hiding shows; the counter is left as it is.
  std::vector<std::string> Press(const std::string& length, const std::string& exponent) {
    for (fw::TextArea* area : {&w_.TextAreaq(), &w_.TextAreap(), &w_.TextArean(), &w_.TextAread(),
                               &cipher::WindowEn()->TextArean(), &cipher::WindowDe()->TextArean(),
                               &cipher::WindowDe()->TextAread()})
      area->SetText("");
    w_.TextFieldLen().SetText("");
    cipher::WindowEn()->TextFielde().SetText("");
    cipher::WindowEn()->Show();
    cipher::WindowDe()->Show();
    w_.TextFieldEstLen().SetText(length);
    w_.TextAreae().SetText(exponent);
    log_.clear();
    recording_ = true;
    w_.PushButton1().Push();
    recording_ = false;
    return log_;
  }

 private:
  std::string Counter() const { return w_.TextFieldNumNonPrimes().Text(); }

  void Watch(fw::TextArea& area, const std::string& entry) {
    QObject::connect(static_cast<QPlainTextEdit*>(area.Widget()), &QPlainTextEdit::textChanged,
                     this, [this, entry] { log_.push_back(entry); });
  }
  void Watch(fw::TextField& field, const std::string& entry) {
    QObject::connect(static_cast<QLineEdit*>(field.Widget()), &QLineEdit::textChanged, this,
                     [this, entry](const QString& text) {
                       log_.push_back(entry == "write" ? "write " + text.toStdString() : entry);
                     });
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched == w_.TextFieldNumNonPrimes().Widget())
      log_.push_back("paint " + Counter());
    if (event->type() == QEvent::Hide && hidings_.contains(static_cast<QWidget*>(watched)))
      log_.push_back(hidings_[static_cast<QWidget*>(watched)]);
    return false;
  }

  const class WindowGK& w_;
  std::map<QWidget*, std::string> hidings_;
  bool recording_ = false;
  std::vector<std::string> log_;
};

// Two presses in the real window. While searching, each rejected candidate
// writes the next count (1, 2, 3, ..., from 1 again for each prime), repaints
// the counter and turns the event loop once; each attempt ends with a turn that
// leaves the counter as it was, across presses too. Then come the writes and
// the hand-over, with no turn between them.
TEST_F(KeygenTest, PressSearchesVisiblyThenWritesAndHandsOverInOrder) {
  const auto w = keygen::WindowGK();
  PressRecorder recorder(*w);
  std::string shown;  // the counter, empty in a new window
  for (int press = 1; press <= 2; ++press) {
    SCOPED_TRACE("press " + std::to_string(press));
    const std::vector<std::string> log = recorder.Press("128", "65537");
    const auto output = std::find(log.begin(), log.end(), "q");
    EXPECT_EQ(std::vector<std::string>(output, log.end()),
              (std::vector<std::string>{"q", "p", "n", "len", "d", "En hidden", "En n", "En e",
                                        "De hidden", "De n", "De d"}));
    std::int32_t countInAttempt = 0;
    bool attemptEnded = false;
    for (auto entry = log.begin(); entry < output; ++entry) {
      attemptEnded = *entry == "turn " + shown;
      if (attemptEnded) {
        countInAttempt = 0;
        continue;
      }
      const std::string count = entry->substr(entry->find(' ') + 1);
      EXPECT_TRUE(count == "1" || count == std::to_string(countInAttempt + 1)) << *entry;
      // A count written again unchanged shows no write, but still its paint.
      if (*entry == "write " + count) ++entry;
      ASSERT_LT(entry + 1, output);
      EXPECT_EQ(*entry, "paint " + count);
      EXPECT_EQ(*++entry, "turn " + count);
      countInAttempt = std::atoi(count.c_str());
      shown = count;
    }
    EXPECT_TRUE(attemptEnded) << "the accepted attempt's end turns the event loop";
    EXPECT_EQ(w->TextFieldNumNonPrimes().Text(), shown);
  }
}

// --- Events while a search runs ---

TEST_F(KeygenTest, SecondPressDuringASearchIsIgnored) {
  const auto w = keygen::WindowGK();
  bool pressedDuringSearch = false;
  std::string written;
  QTimer::singleShot(0, [&] {
    pressedDuringSearch = true;
    w->PushButton1().Push();  // a nested search would write q before returning
    written = w->TextAreaq().Text();
  });
  PressGo(*w, "256", "65537");
  EXPECT_TRUE(pressedDuringSearch);
  EXPECT_EQ(written, "");
  ExpectValidKey(*w, 256, Big(65537));
}

TEST_F(KeygenTest, InputsAreReadOnceAtTheStartOfThePress) {
  const auto w = keygen::WindowGK();
  QTimer::singleShot(0, [&] {
    w->TextFieldEstLen().SetText("4");
    w->TextAreae().SetText("2");
  });
  PressGo(*w, "200", "65537");
  EXPECT_EQ(cipher::WindowEn()->TextFielde().Text(), "65537");
  EXPECT_GE(bn::fpNumBits(BigInteger(w->TextArean().Text())), 200);
}

// Closed at the first turn of the event loop: in the search, at the longest
// length too, or in the prime search that finds an exponent just above the
// largest phi too large. At 64 bits both sizes' walks take turns; at 60 only
// the k-bit walk does, as 2^31 - 1 is prime.
TEST_F(KeygenTest, ClosingTheWindowEndsItsPressWritingNothingMore) {
  for (const auto& [length, exponent] :
       std::vector<std::pair<std::string, std::string>>{{"4096", "65537"},
                                                        {"16384", "65537"},
                                                        {"64", bn::Str(LargestPhi(32) + 1)},
                                                        {"60", bn::Str(LargestPhi(30) + 1)}}) {
    SCOPED_TRACE(length + " bits, e = " + exponent);
    const auto w = keygen::WindowGK();
    QTimer::singleShot(0, [w] { w->Close(); });
    PressGo(*w, length, exponent);
    EXPECT_TRUE(w->IsClosed()) << "no turn of the event loop before the press ended";
    EXPECT_EQ(w->TextAreaq().Text(), "");
    EXPECT_EQ(fw::GetImplicitWindow(cipher::WindowEn::kRegisteredName), nullptr);
    EXPECT_EQ(fw::GetImplicitWindow(cipher::WindowDe::kRegisteredName), nullptr);
    QApplication::processEvents();  // the close, had the press not let it run
  }
}

TEST_F(KeygenTest, QuittingDuringASearchEndsItAndTheEventLoop) {
  bool pressed = false;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(0, fw::QuitMenuAction);  // runs at the search's first event-loop turn
    pressed = true;
    keygen::WindowGK()->TextFieldEstLen().SetText("4096");
    keygen::WindowGK()->PushButton1().Push();
  });
  QTimer guard;
  QObject::connect(&guard, &QTimer::timeout, [] { QApplication::exit(1); });
  guard.start(20000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(pressed);
  EXPECT_TRUE(fw::OpenWindows().empty());
}

// --- The search itself, with a fixed seed ---

// Progress as a list: each rejection's count, and kAttemptEnd after each attempt.
constexpr std::int32_t kAttemptEnd = 0;

// The draws as the search must make them, one plain step after another: no
// sieve, acceptance by the integer rule.
struct Replayed {
  std::vector<std::int32_t> events;
  keygen::KeySet key;
};
Replayed Replay(std::int32_t k, const BigInteger& e, std::int32_t seed) {
  std::vector<std::int32_t> events;
  bn::fpResetSeed(seed);
  for (;;) {
    std::array<BigInteger, 2> primes;
    for (std::int32_t i = 0; i < 2; ++i) {
      BigInteger x = bn::fpRandom2(k + i);
      if (2 * (x / 2) == x) x = x + 1;
      bool isPrime = bn::fpIsItPrime(x, 30);
      for (std::int32_t counter = 1; !isPrime; ++counter) {
        x = x + 2;
        isPrime = bn::fpIsItPrime(x, 30);
        events.push_back(counter);
      }
      primes[i] = x;
    }
    const auto& [q, p] = primes;
    const BigInteger d = bn::fpInvMod(e, (p - 1) * (q - 1));
    events.push_back(kAttemptEnd);
    if (KeyRuleHolds(q, p, e, d)) return {events, keygen::KeySet{q, p, p * q, d}};
  }
}

TEST(KeySearch, DrawsAndCountsExactlyAsAPlainReplay) {
  struct Case {
    std::int32_t k;
    std::int64_t e;
    std::int32_t seed;
  };
  // Tiny sizes fail many attempts; from 64 bits on the candidates are sieved.
  for (const Case& c : std::vector<Case>{{3, 3, 1},
                                         {3, 5, 2},
                                         {8, 65537, 3},
                                         {8, 65537, 4},
                                         {20, 3, 5},
                                         {64, 65537, 6},
                                         {100, 3, 7},
                                         {257, 65537, 8},
                                         {600, 65537, 9}}) {
    SCOPED_TRACE("k " + std::to_string(c.k) + ", seed " + std::to_string(c.seed));
    const Replayed expected = Replay(c.k, Big(c.e), c.seed);
    // Recording stops the search once it strays past the replay's end.
    std::vector<std::int32_t> events;
    const keygen::SearchProgress record{.candidateRejected =
                                            [&](std::int32_t count) {
                                              events.push_back(count);
                                              return events.size() <= expected.events.size();
                                            },
                                        .attemptEnded =
                                            [&] {
                                              events.push_back(kAttemptEnd);
                                              return events.size() <= expected.events.size();
                                            }};
    const auto key = keygen::SearchKeySet(c.k, Big(c.e), c.seed, record);
    ASSERT_TRUE(key);
    EXPECT_EQ(events, expected.events);
    EXPECT_EQ(key->q, expected.key.q);
    EXPECT_EQ(key->p, expected.key.p);
    EXPECT_EQ(key->n, expected.key.n);
    EXPECT_EQ(key->d, expected.key.d);
  }
}

TEST(KeySearch, StopsAtOnceWhenProgressSaysSo) {
  std::int32_t calls = 0;
  const keygen::SearchProgress stopAtThird{
      .candidateRejected = [&](std::int32_t) { return ++calls < 3; },
      .attemptEnded = [&] { return ++calls < 3; }};
  EXPECT_FALSE(keygen::SearchKeySet(512, Big(65537), 1, stopAtThird));
  EXPECT_EQ(calls, 3);

  // Even an accepted attempt writes nothing when its last turn says stop.
  const keygen::SearchProgress stopAtAttemptEnd{
      .candidateRejected = [](std::int32_t) { return true; }, .attemptEnded = [] { return false; }};
  EXPECT_FALSE(keygen::SearchKeySet(64, Big(65537), 1, stopAtAttemptEnd));
}

// --- Candidates ---

// Walks over several sieve windows, each way, against plain steps of 2 and the
// probable-prime test: a sieve shifted off its window would reject primes. A
// window of 64 candidates fills one word of bits exactly, so a read one past
// either end leaves the allocation and shows under the address sanitizer. The
// walk is two default windows long, so it crosses windows, with primes beyond,
// even if the size it asks for goes unheeded.
TEST(Candidates, WalkAcrossSieveWindowsAgreesWithPlainSteps) {
  constexpr std::int64_t kWindow = 64, kDefaultWindow = keygen::SmallFactorSieve::kWindow;
  for (const BigInteger& start : {PowerOfTwo(64) + 12345, PowerOfTwo(199) + 251}) {
    for (const std::int32_t direction : {1, -1}) {
      SCOPED_TRACE(bn::Str(start) + (direction > 0 ? " upward" : " downward"));
      keygen::Candidates candidates = direction > 0 ? keygen::Candidates::Upward(start, kWindow)
                                                    : keygen::Candidates::Downward(start, kWindow);
      BigInteger x = start;
      std::int32_t primesPastTheFirstWindow = 0;
      for (std::int64_t step = 0; step < 2 * kDefaultWindow; ++step, x = x + 2 * direction) {
        ASSERT_EQ(candidates.Current(), x) << step;
        const bool isPrime = bn::fpIsItPrime(x, 30);
        EXPECT_EQ(candidates.CurrentIsPrime(), isPrime) << step;
        primesPastTheFirstWindow += isPrime && step >= kDefaultWindow;
        candidates.Step();
      }
      EXPECT_GE(primesPastTheFirstWindow, 3) << "too few primes to catch a shifted sieve";
    }
  }
}

// --- Which inputs can end ---

// Every reachable pair of a tiny size, in machine integers, primes by trial division.
bool PossibleByBruteForce(std::int32_t k, std::int64_t e) {
  const auto isPrime = [](std::int64_t x) {
    for (std::int64_t f = 2; f * f <= x; ++f)
      if (x % f == 0) return false;
    return x > 1;
  };
  const auto reachable = [&](std::int32_t bits) {
    std::set<std::int64_t> primes;
    for (std::int64_t draw = std::int64_t{1} << (bits - 1); draw < std::int64_t{1} << bits;
         ++draw) {
      std::int64_t x = draw | 1;
      while (!isPrime(x)) x += 2;
      primes.insert(x);
    }
    return primes;
  };
  const std::set<std::int64_t> qs = reachable(k), ps = reachable(k + 1);
  for (const std::int64_t q : qs)
    for (const std::int64_t p : ps) {
      const std::int64_t phi = (p - 1) * (q - 1);
      if (e >= phi || std::gcd(e, phi) != 1) continue;
      const BigInteger d = bn::fpInvMod(Big(e), Big(phi));
      if (KeyRuleHolds(Big(q), Big(p), Big(e), d)) return true;
    }
  return false;
}

// KeySetPossible with an event loop that never says stop, counting its turns.
struct Check {
  bool possible;
  std::int32_t turns;
  bool operator==(const Check&) const = default;
  friend void PrintTo(const Check& check, std::ostream* out) {
    *out << (check.possible ? "possible" : "refused") << " after " << check.turns << " turns";
  }
};
Check RunCheck(std::int32_t k, const BigInteger& e) {
  std::int32_t turns = 0;
  const bool possible = keygen::KeySetPossible(k, e, [&] {
    ++turns;
    return true;
  });
  return {possible, turns};
}

TEST(KeySetPossible, AgreesWithBruteForce) {
  for (std::int32_t k = 3; k <= 5; ++k) {
    const std::int64_t beyondLargestPhi = (std::int64_t{4} << k) * (std::int64_t{2} << k);
    for (std::int64_t e = 3; e < beyondLargestPhi; ++e)
      ASSERT_EQ(RunCheck(k, Big(e)).possible, PossibleByBruteForce(k, e))
          << "k " << k << ", e " << e;
  }
  // Near the largest phi few pairs are left, and a common factor can bar them
  // all, as at lengths 25 and 26 (k = 13), 28 and 30.
  const std::int64_t largestPhi13 = 134397900;  // (16411 - 1)(8191 - 1)
  ASSERT_EQ(LargestPhi(13), Big(largestPhi13));
  const std::vector<std::pair<std::int32_t, std::int64_t>> nearLargestPhi{
      {13, 134397897},        {14, 537755697},        {15, 2147614715},
      {13, largestPhi13 - 1}, {13, largestPhi13 + 1},
  };
  for (const auto& [k, e] : nearLargestPhi)
    EXPECT_EQ(RunCheck(k, Big(e)).possible, PossibleByBruteForce(k, e)) << "k " << k << ", e " << e;
}

// Near the largest phi at a size whose candidates are sieved, against the four
// largest primes of each size found by plain steps and the integer rule.
TEST(KeySetPossible, AgreesWithPlainStepsWhereCandidatesAreSieved) {
  const std::int32_t k = 64;
  const auto largestPrimes = [](std::int32_t bits) {
    BigInteger x = PowerOfTwo(bits) - 1;
    while (!bn::fpIsItPrime(x, 30)) x = x + 2;
    std::vector<BigInteger> primes{x};
    for (x = PowerOfTwo(bits) - 3; primes.size() < 4; x = x - 2)
      if (bn::fpIsItPrime(x, 30)) primes.push_back(x);
    return primes;
  };
  const std::vector<BigInteger> qs = largestPrimes(k), ps = largestPrimes(k + 1);
  // Above both bounds every pair with phi > e is among these.
  const BigInteger largestPhi = (ps[0] - 1) * (qs[0] - 1);
  const BigInteger bound = std::max((ps[3] - 1) * (qs[0] - 1), (ps[0] - 1) * (qs[3] - 1));
  const BigInteger step = 2 * ((largestPhi - bound) / 400);
  std::set<bool> answers;
  for (BigInteger e = largestPhi - 1; e > bound; e = e - step) {
    bool expected = false;
    for (const BigInteger& q : qs)
      for (const BigInteger& p : ps) {
        const BigInteger phi = (p - 1) * (q - 1);
        expected = expected || (e < phi && KeyRuleHolds(q, p, e, bn::fpInvMod(e, phi)));
      }
    ASSERT_EQ(RunCheck(k, e).possible, expected) << bn::Str(e);
    answers.insert(expected);
  }
  EXPECT_EQ(answers.size(), 2u) << "both answers occur";
}

// Even exponents, exponents longer than any reachable phi and small ones
// without small factors need no prime search, so no turn of the event loop.
TEST(KeySetPossible, DecidesAtOnceWhatTheExponentAloneSettles) {
  for (const std::int32_t k : {13, 2048, 8192}) {
    SCOPED_TRACE(k);
    EXPECT_EQ(RunCheck(k, PowerOfTwo(2 * k + 2) + 1), (Check{false, 0}));
    EXPECT_EQ(RunCheck(k, Big(65536)), (Check{false, 0}));
    EXPECT_EQ(RunCheck(k, Big(65537)), (Check{true, 0}));
  }
}

}  // namespace
