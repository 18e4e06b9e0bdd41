// The encryption and decryption windows, driven through their real controls.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <map>
#include <string>
#include <vector>

#include "app/framework/window.h"
#include "crypt/bignum/bignum.h"
#include "crypt/windowde.h"
#include "crypt/windowen.h"
#include "support/message_recorder.h"
#include "support/test_key.h"

namespace {

struct Key {
  std::string n, e, d;
};

// The test key of that size, written as the windows hold it; made once per size.
const Key& KeyOf(int bits) {
  static std::map<int, Key> made;
  if (const auto found = made.find(bits); found != made.end()) return found->second;
  const TestKey key = MakeTestKey(bits);
  return made[bits] = {bn::Str(key.n), bn::Str(key.e), bn::Str(key.d)};
}

// Base 36 of a number given in hexadecimal digits: what the encryption window writes for e = 1.
std::string Base36OfHex(const std::string& hex) {
  return bn::fpConvBase(hex, 36, 16, 0, false);
}

// Words and line breaks, as a long letter has them.
std::string LongText(std::size_t length) {
  std::string text;
  while (text.size() < length) text += text.size() % 70 < 64 ? "lorem ipsum " : "dolor\n";
  return text.substr(0, length);
}

// A key under which encryption and decryption change nothing, so the window's number shows.
const Key kIdentity{"1" + std::string(300, '0'), "1", "1"};

class CryptWindows : public ::testing::Test {
 protected:
  void TearDown() override { CloseAllWindows(); }

  std::string Encrypt(const std::string& clearText, const Key& key) {
    const auto window = cipher::WindowEn();
    window->TextAreact().SetText(clearText);
    window->TextArean().SetText(key.n);
    window->TextFielde().SetText(key.e);
    window->PushButton1().Push();
    return window->TextAreaOut().Text();
  }
  std::string Decrypt(const std::string& encryptedText, const Key& key) {
    const auto window = cipher::WindowDe();
    window->TextAreaet().SetText(encryptedText);
    window->TextArean().SetText(key.n);
    window->TextAread().SetText(key.d);
    window->PushButton1().Push();
    return window->TextAreaOut().Text();
  }
  std::string RoundTrip(const std::string& clearText, const Key& key) {
    return Decrypt(Encrypt(clearText, key), key);
  }
  const std::vector<std::string>& Messages() const { return recorder_.Messages(); }

 private:
  MessageRecorder recorder_;
};

// --- Round trips ---

TEST_F(CryptWindows, TypedTextComesBackUnderKeysOfEverySize) {
  const auto encoder = cipher::WindowEn();
  QTest::keyClicks(encoder->TextAreact().Widget(), "Attack at dawn!");
  QTest::keyClicks(encoder->TextArean().Widget(), QString::fromStdString(KeyOf(256).n));
  QTest::keyClicks(encoder->TextFielde().Widget(), "65537");
  QTest::mouseClick(encoder->PushButton1().Widget(), Qt::LeftButton);
  const auto decoder = cipher::WindowDe();
  QTest::keyClicks(decoder->TextArean().Widget(), QString::fromStdString(KeyOf(256).n));
  QTest::keyClicks(decoder->TextAread().Widget(), QString::fromStdString(KeyOf(256).d));
  QTest::mouseClick(decoder->PushButton1().Widget(), Qt::LeftButton);
  EXPECT_EQ(decoder->TextAreaOut().Text(), "Attack at dawn!");

  // A modulus of 8j bits takes j characters, the first below 128, and refuses j + 1.
  for (const int bits : {64, 512, 1024, 4096}) {
    std::string longest;
    for (int i = 0; i < bits / 8; ++i) longest += static_cast<char>(' ' + (i * 7 + bits) % 95);
    EXPECT_EQ(RoundTrip(longest, KeyOf(bits)), longest) << bits;
    Encrypt(longest + "x", KeyOf(bits));
  }
  EXPECT_EQ(Messages(), std::vector<std::string>(4, "clear text is too big for input n"));
}

TEST_F(CryptWindows, TextsOfOneByteCodesAreWrittenAsCodesAndComeBack) {
  EXPECT_EQ(Encrypt("Hi", kIdentity), "eax");                      // 0x4869 = 18537
  EXPECT_EQ(Encrypt("A", kIdentity), "1t");                        // 65
  EXPECT_EQ(Encrypt("$", {"1000000", "2", ""}), "100");            // 36^2 = 1296
  EXPECT_EQ(Encrypt(std::string("\0Hi", 3), kIdentity), "eax");    // leading code 0 adds nothing
  EXPECT_EQ(Encrypt("\tA", kIdentity), "1tt");                     // 0x0941 = 2369
  EXPECT_EQ(Encrypt("é Ã©", kIdentity), Base36OfHex("E920C3A9"));  // not UTF-8 as one byte each

  const QString latin1 = QString::fromUtf8("Grüße, Æsop! ¿Qué? ÿ");
  EXPECT_EQ(Encrypt(latin1.toStdString(), kIdentity),
            Base36OfHex(latin1.toLatin1().toHex().toStdString()));
  EXPECT_EQ(RoundTrip(latin1.toStdString(), KeyOf(512)), latin1.toStdString());
}

// Wider codes, and one-byte codes whose bytes would read back as UTF-8 of other characters.
TEST_F(CryptWindows, TextsThatCodesCannotCarryAreWrittenAsUtf8AndComeBack) {
  EXPECT_EQ(Encrypt("é€", kIdentity), Base36OfHex("C3A9E282AC"));
  EXPECT_EQ(Encrypt("Ã©", kIdentity), Base36OfHex("C383C2A9"));
  EXPECT_EQ(Encrypt("Ā", kIdentity), Base36OfHex("C480"));  // U+0100, the first code past a byte
  for (const std::string text : {"Crème brûlée à 5 €", "漢字かな交じり文", "keys 🔑🗝️ ok",
                                 "Ω", "AĀ", "Ã©", "Mix 3×½ cups", "Â© 2024", "cafÃ©!"})
    EXPECT_EQ(RoundTrip(text, KeyOf(1024)), text);
  EXPECT_TRUE(Messages().empty());
}

// A first character of code 1 to 15 has a single hexadecimal digit in m, yet comes back. Codes 0
// in front add nothing to m and are lost; a text of them alone is m = 0, one such code.
TEST_F(CryptWindows, TextsBeginningWithControlCharactersComeBack) {
  using namespace std::string_literals;
  const std::pair<std::string, std::string> cases[] = {
      {"\tabc", "\tabc"},   {"\x01x", "\x01x"}, {"\x0b\x0cz", "\x0b\x0cz"},
      {"\nline", "\nline"}, {"\r", "\n"},  // a text area holds a carriage return as a line feed
      {"\0\0A"s, "A"},      {"\0\0"s, "\0"s}};
  for (const auto& [text, comesBack] : cases)
    EXPECT_EQ(RoundTrip(text, KeyOf(512)), comesBack) << testing::PrintToString(text);
  EXPECT_EQ(Decrypt("1tt", kIdentity), "\tA");
  EXPECT_EQ(Decrypt("eax", {"1", "", "5"}), "\0"s);  // every number is 0 modulo 1
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CryptWindows, DecryptionReadsTheWholeNumberWhateverItsForm) {
  const Key& key = KeyOf(512);
  const std::string encrypted = Encrypt("Hello", key);
  EXPECT_EQ(Encrypt("Hello", key), encrypted);  // nothing random is added
  const std::string spaced = " " + encrypted.substr(0, 9) + "\n\t" + encrypted.substr(9) + " \n";
  EXPECT_EQ(Decrypt(spaced, key), "Hello");
  const std::string unicodeSpaced =
      encrypted.substr(0, 5) + "\u00A0" + encrypted.substr(5, 5) + "\u2028" + encrypted.substr(10);
  EXPECT_EQ(Decrypt(unicodeSpaced, key), "Hello");
  EXPECT_EQ(cipher::WindowDe()->TextAreaet().Text(), unicodeSpaced) << "the text area keeps both";
  EXPECT_EQ(Decrypt(bn::fpConvBase(encrypted, 36, 36, 0, true), key), "Hello");
  const bn::BigInteger c(bn::fpConvBase(encrypted, 10, 36, 0, true)), n(key.n);
  EXPECT_EQ(Decrypt(bn::fpConvBase(bn::Str(c - (bn::BigInteger() - n)), 36, 10, 0, false), key),
            "Hello");  // c + n is c modulo n
  EXPECT_TRUE(Messages().empty());
}

// --- Refusals: each shows its message and changes nothing ---

TEST_F(CryptWindows, EncryptionRefusesInOrderAndChangesNothing) {
  struct Case {
    std::string text, n, e, message;
  };
  const std::string bigN = KeyOf(64).n;
  const std::vector<Case> cases = {
      {"", "junk", "junk", "no input text"},
      {"Hi", "", "17", "missing key code"},
      {"Hi", " \n ", "17", "missing key code"},
      {"Hi", "3233", "0", "missing key code"},
      {"Hi", "18537", "17", "clear text is too big for input n"},  // m equal to n
      {"Hi", "-" + bigN, "17", "clear text is too big for input n"},
      {"Hi", "1", "17", "clear text is too big for input n"},
      {LongText(100000), "3233", "17", "clear text is too big for input n"},
      {"Hi", "12x", "17", ""},    // not a number: the big numbers' own message
      {"Hi", "23757", "-3", ""},  // a negative e needs an inverse: gcd(18537, 23757) = 3
  };
  const auto window = cipher::WindowEn();
  for (const auto& [text, n, e, message] : cases) {
    window->TextAreaOut().SetText("previous");
    const std::size_t shown = Messages().size();
    Encrypt(text, {n, e, ""});
    ASSERT_EQ(Messages().size(), shown + 1) << message;
    if (!message.empty()) {
      EXPECT_EQ(Messages().back(), message);
    }
    EXPECT_EQ(window->TextAreact().Text(), text);
    EXPECT_EQ(window->TextArean().Text(), n);
    EXPECT_EQ(window->TextFielde().Text(), e);
    EXPECT_EQ(window->TextAreaOut().Text(), "previous") << message;
    EXPECT_EQ(fw::GetImplicitWindow(cipher::WindowDe::kRegisteredName), nullptr);
  }
}

TEST_F(CryptWindows, DecryptionRefusesInOrderAndChangesNothing) {
  struct Case {
    std::string encrypted, n, d, message;
  };
  // Every blank a number may hold that a text area keeps as it is (it holds CR
  // and U+2029 as line feeds).
  const std::string blanks =
      " \t\n\v\f\u0085\u00A0\u1680\u2000\u2001\u2002\u2003\u2004\u2005\u2006\u2007\u2008\u2009"
      "\u200A\u2028\u202F\u205F\u3000";
  const std::vector<Case> cases = {
      {"", "", "", "no encrypted text"},
      {blanks, "0", "", "no encrypted text"},  // blanks alone, before the key
      {"eax", "0", "5", "missing key code"},
      {"eax", "3233", "", "missing key code"},
      {"hello!", "3233", "17", ""},  // not base 36: the big numbers' own message
      {"0", "3233", "-5", ""},       // 0 has no inverse for a negative d
  };
  const auto window = cipher::WindowDe();
  for (const auto& [encrypted, n, d, message] : cases) {
    window->TextAreaOut().SetText("previous");
    const std::size_t shown = Messages().size();
    Decrypt(encrypted, {n, "", d});
    ASSERT_EQ(Messages().size(), shown + 1) << message;
    if (!message.empty()) {
      EXPECT_EQ(Messages().back(), message);
    }
    EXPECT_EQ(window->TextAreaet().Text(), encrypted);
    EXPECT_EQ(window->TextArean().Text(), n);
    EXPECT_EQ(window->TextAread().Text(), d);
    EXPECT_EQ(window->TextAreaOut().Text(), "previous") << message;
  }
  EXPECT_EQ(fw::GetImplicitWindow(cipher::WindowEn::kRegisteredName), nullptr);
}

// --- Key numbers up to 16386 bits, the longest modulus key generation makes ---

// An exponent of 1 modulo 780, the lambda of 3233 = 61 * 53: m^e = m mod 3233 for every m.
std::string LongIdentityExponent(int bits) {
  return bn::Str(780 * PowerOfTwo(bits - 10) + 1);
}

// "A" is 65, written 1t; under 3233 with e = 65537 (d = 413) it is 2790, written 25i.
struct KeySizeCase {
  std::string n, exponent, result, message;
};

TEST_F(CryptWindows, EncryptionTakesKeysUpToTheLongestAndRefusesLongerOnes) {
  const std::string longestN = bn::Str(PowerOfTwo(16385)), tooLongN = bn::Str(PowerOfTwo(16386));
  const std::vector<KeySizeCase> cases = {
      {longestN, "1", "1t", ""},
      {"3233", LongIdentityExponent(16386), "1t", ""},
      {"3233", "65537", "25i", ""},  // e above n, as in the textbook key
      {"-" + longestN, "1", "", "clear text is too big for input n"},
      {tooLongN, "1", "", "key code is too big"},
      {"-" + tooLongN, "1", "", "key code is too big"},
      {"3233", LongIdentityExponent(16387), "", "key code is too big"},
      {tooLongN, "0", "", "missing key code"},
  };
  for (const auto& [n, e, result, message] : cases) {
    SCOPED_TRACE(std::to_string(bn::fpNumBits(bn::BigInteger(n))) + "-bit n, " +
                 std::to_string(bn::fpNumBits(bn::BigInteger(e))) + "-bit e");
    const std::size_t shown = Messages().size();
    cipher::WindowEn()->TextAreaOut().SetText("");
    EXPECT_EQ(Encrypt("A", {n, e, ""}), result);
    EXPECT_EQ(Messages().size() > shown ? Messages().back() : "", message);
  }
}

TEST_F(CryptWindows, DecryptionTakesKeysUpToTheLongestAndRefusesLongerOnes) {
  const std::string longestN = bn::Str(PowerOfTwo(16385)), tooLongN = bn::Str(PowerOfTwo(16386));
  const std::vector<KeySizeCase> cases = {
      {longestN, "1", "A", ""},
      {"3233", LongIdentityExponent(16386), "A", ""},
      {tooLongN, "1", "", "key code is too big"},
      {"-" + tooLongN, "1", "", "key code is too big"},
      {"3233", LongIdentityExponent(16387), "", "key code is too big"},
      {tooLongN, "0", "", "missing key code"},
  };
  for (const auto& [n, d, result, message] : cases) {
    SCOPED_TRACE(std::to_string(bn::fpNumBits(bn::BigInteger(n))) + "-bit n, " +
                 std::to_string(bn::fpNumBits(bn::BigInteger(d))) + "-bit d");
    const std::size_t shown = Messages().size();
    cipher::WindowDe()->TextAreaOut().SetText("");
    EXPECT_EQ(Decrypt("1t", {n, "", d}), result);
    EXPECT_EQ(Messages().size() > shown ? Messages().back() : "", message);
  }
  EXPECT_EQ(Decrypt("25i", {"3233", "", "413"}), "A");
}

// --- The hand-over to the decryption window ---

TEST_F(CryptWindows, EncryptionOpensTheDecryptionWindowWithItsResult) {
  ASSERT_EQ(fw::GetImplicitWindow(cipher::WindowDe::kRegisteredName), nullptr);
  const std::string encrypted = Encrypt("Hi", kIdentity);
  const auto decoder = cipher::WindowDe();
  EXPECT_TRUE(decoder->IsVisible());
  EXPECT_EQ(decoder->TextAreaet().Text(), encrypted);
  EXPECT_EQ(decoder->TextArean().Text(), "");
  EXPECT_EQ(decoder->TextAread().Text(), "");
}

TEST_F(CryptWindows, AHiddenDecryptionWindowStaysHiddenAndKeepsItsKey) {
  const auto decoder = cipher::WindowDe();
  decoder->Hide();
  decoder->TextArean().SetText(KeyOf(512).n);
  decoder->TextAread().SetText(KeyOf(512).d);
  const std::string encrypted = Encrypt("Hi", KeyOf(512));
  EXPECT_FALSE(decoder->IsVisible());
  EXPECT_EQ(decoder->TextAreaet().Text(), encrypted);
  decoder->PushButton1().Push();
  EXPECT_EQ(decoder->TextAreaOut().Text(), "Hi");
}

TEST_F(CryptWindows, ClosingAWindowWhileItWorksEndsTheCommand) {
  const auto encoder = cipher::WindowEn();
  QTimer::singleShot(0, encoder->Widget(), [encoder] { encoder->Close(); });
  Encrypt(std::string(1000, 'a'), KeyOf(64));
  EXPECT_EQ(encoder->TextAreaOut().Text(), "");
  EXPECT_EQ(fw::GetImplicitWindow(cipher::WindowDe::kRegisteredName), nullptr);

  const auto decoder = cipher::WindowDe();
  QTimer::singleShot(0, decoder->Widget(), [decoder] { decoder->Close(); });
  EXPECT_EQ(Decrypt("eax", kIdentity), "");
  EXPECT_TRUE(Messages().empty());
}

// --- Layout ---

struct Placed {
  std::string name;
  int left, top, width, height;
  std::string text;
};

// The names of the controls in the order the Tab key visits them.
std::vector<std::string> TabOrder(const fw::Window& window) {
  std::vector<std::string> order;
  QWidget* first = window.Content()->nextInFocusChain();
  for (QWidget* w = first; w != window.Content(); w = w->nextInFocusChain())
    if (w->parentWidget() == window.Content() && (w->focusPolicy() & Qt::TabFocus))
      order.push_back(w->objectName().toStdString());
  return order;
}

void ExpectLayout(const fw::Window& window, const std::vector<Placed>& controls) {
  std::size_t created = 0;
  for (QObject* child : window.Content()->children())
    if (child->isWidgetType()) {
      ASSERT_LT(created, controls.size());
      const Placed& c = controls[created++];
      EXPECT_EQ(child->objectName().toStdString(), c.name);
      EXPECT_EQ(static_cast<QWidget*>(child)->geometry(), QRect(c.left, c.top, c.width, c.height))
          << c.name;
      const fw::Control& control = window.ControlAs<fw::Control>(c.name);
      if (const auto* label = dynamic_cast<const fw::Label*>(&control)) {
        EXPECT_EQ(label->Text(), c.text);
      } else if (const auto* button = dynamic_cast<const fw::PushButton*>(&control)) {
        EXPECT_EQ(button->Caption(), c.text);
      }
    }
  EXPECT_EQ(created, controls.size());
}

TEST_F(CryptWindows, EncryptionWindowStandsAsDrawn) {
  const auto window = cipher::WindowEn();
  EXPECT_EQ(window->Widget()->windowTitle(), "Encode");
  EXPECT_EQ(window->Content()->size(), QSize(953, 430));
  ExpectLayout(*window, {{"StaticText1", 21, 10, 100, 20, "clear text:"},
                         {"TextAreact", 21, 46, 301, 364, ""},
                         {"StaticText2", 344, 14, 100, 20, "n:"},
                         {"TextArean", 344, 46, 192, 176, ""},
                         {"StaticText3", 344, 258, 100, 20, "e:"},
                         {"TextFielde", 344, 297, 128, 22, ""},
                         {"PushButton1", 400, 360, 80, 20, "Go"},
                         {"StaticText4", 569, 14, 100, 20, "encrypted text:"},
                         {"TextAreaOut", 569, 46, 354, 364, ""}});
  EXPECT_EQ(TabOrder(*window), (std::vector<std::string>{"TextAreact", "TextArean", "TextFielde",
                                                         "PushButton1", "TextAreaOut"}));
  EXPECT_EQ(cipher::WindowEn::Record().operations.size(), 13u);
}

TEST_F(CryptWindows, DecryptionWindowStandsAsDrawn) {
  const auto window = cipher::WindowDe();
  EXPECT_EQ(window->Widget()->windowTitle(), "Untitled");
  EXPECT_EQ(window->Content()->size(), QSize(865, 474));
  ExpectLayout(*window, {{"StaticText1", 21, 10, 100, 20, "encrypted text:"},
                         {"TextAreaet", 21, 42, 250, 412, ""},
                         {"StaticText2", 295, 10, 100, 20, "n:"},
                         {"TextArean", 295, 42, 192, 176, ""},
                         {"StaticText3", 295, 246, 100, 20, "d:"},
                         {"PushButton1", 499, 238, 80, 20, "Go"},
                         {"StaticText4", 603, 14, 100, 20, "clear text:"},
                         {"TextAreaOut", 603, 42, 250, 412, ""},
                         {"TextAread", 295, 278, 192, 176, ""}});
  // The d field comes last, after Go and the clear text.
  EXPECT_EQ(TabOrder(*window), (std::vector<std::string>{"TextAreaet", "TextArean", "PushButton1",
                                                         "TextAreaOut", "TextAread"}));
  EXPECT_EQ(window->TextAread().TabIndex(), 9);
  EXPECT_EQ(window->PushButton1().TabIndex(), 6);
}

}  // namespace
