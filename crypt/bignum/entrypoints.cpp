// The entry table. Every public operation calls its implementation through a slot that
// BindEntryPoints fills by declaration text, the way a plug-in is bound at start-up.
#include <array>
#include <utility>

#include "app/framework/exceptions.h"
#include "crypt/bignum/bignum.h"
#include "crypt/bignum/operations.h"

namespace bn {

namespace {

enum class Slot : std::size_t {
  Str,
  Random2,
  IsItPrime,
  PowerMod,
  GCD,
  InvMod,
  NumBits,
  ConvBase,
  ResetSeed,
  EquateBF_BI,
  Pow,
  IntegerFromText,
  IntegerAdd,
  IntegerSubtract,
  IntegerMultiplyRight,
  IntegerDivide,
  IntegerSubtractInteger,
  IntegerMultiplyInteger,
  IntegerCompare,
  IntegerCompareInteger,
  FloatMultiplyRight,
  FloatDivide,
  FloatCompare,
  Count
};
constexpr std::size_t kSlotCount = static_cast<std::size_t>(Slot::Count);

// A slot's declaration and implementation. Its function type is also the type the slot is
// cast back to at the call, so the two can never disagree.
template <typename Function>
struct Binding {
  std::string_view declaration;
  Function* function;
};
template <typename Function>
Binding(std::string_view, Function*) -> Binding<Function>;

template <Slot>
constexpr auto kBinding = nullptr;  // each slot has its own specialization below

template <>
constexpr auto kBinding<Slot::Str> = Binding{"Str(x As BigInteger) As String", ops::Str};
template <>
constexpr auto kBinding<Slot::Random2> =
    Binding{"fpRandom2(n As Integer) As BigInteger", ops::Random2};
template <>
constexpr auto kBinding<Slot::IsItPrime> =
    Binding{"fpIsItPrime(x As BigInteger, numTrials As Integer) As Boolean", ops::IsItPrime};
template <>
constexpr auto kBinding<Slot::PowerMod> = Binding{
    "fpPowerMod(b As BigInteger, m As BigInteger, k As Integer, n As BigInteger) "
    "As BigInteger",
    ops::PowerMod};
template <>
constexpr auto kBinding<Slot::GCD> =
    Binding{"fpGCD(x As BigInteger, y As BigInteger) As BigInteger", ops::GCD};
template <>
constexpr auto kBinding<Slot::InvMod> =
    Binding{"fpInvMod(x As BigInteger, y As BigInteger) As BigInteger", ops::InvMod};
template <>
constexpr auto kBinding<Slot::NumBits> =
    Binding{"fpNumBits(x As BigInteger) As Integer", ops::NumBits};
template <>
constexpr auto kBinding<Slot::ConvBase> = Binding{
    "fpConvBase(inStr As String, baseTo As Integer, baseFrom As Integer, "
    "numPlaces As Integer, toUpperCase As Boolean) As String",
    ops::ConvBase};
template <>
constexpr auto kBinding<Slot::ResetSeed> = Binding{"fpResetSeed(seed As Integer)", ops::ResetSeed};
template <>
constexpr auto kBinding<Slot::EquateBF_BI> =
    Binding{"fpEquateBF_BI(x As BigInteger) As BigFloat", ops::EquateBF_BI};
template <>
constexpr auto kBinding<Slot::Pow> =
    Binding{"fpPow(x As BigFloat, y As Double) As BigFloat", ops::Pow};
template <>
constexpr auto kBinding<Slot::IntegerFromText> =
    Binding{"BigInteger.Constructor(inputString As String)", ops::IntegerFromText};
template <>
constexpr auto kBinding<Slot::IntegerAdd> =
    Binding{"BigInteger.Operator_Add(y As Integer) As BigInteger", ops::IntegerAdd};
template <>
constexpr auto kBinding<Slot::IntegerSubtract> =
    Binding{"BigInteger.Operator_Subtract(y As Integer) As BigInteger", ops::IntegerSubtract};
template <>
constexpr auto kBinding<Slot::IntegerMultiplyRight> = Binding{
    "BigInteger.Operator_MultiplyRight(y As Integer) As BigInteger", ops::IntegerMultiplyRight};
template <>
constexpr auto kBinding<Slot::IntegerDivide> =
    Binding{"BigInteger.Operator_Divide(y As Integer) As BigInteger", ops::IntegerDivide};
template <>
constexpr auto kBinding<Slot::IntegerSubtractInteger> = Binding{
    "BigInteger.Operator_Subtract(y As BigInteger) As BigInteger", ops::IntegerSubtractInteger};
template <>
constexpr auto kBinding<Slot::IntegerMultiplyInteger> = Binding{
    "BigInteger.Operator_Multiply(y As BigInteger) As BigInteger", ops::IntegerMultiplyInteger};
template <>
constexpr auto kBinding<Slot::IntegerCompare> =
    Binding{"BigInteger.Operator_Compare(y As Integer) As Integer", ops::IntegerCompare};
template <>
constexpr auto kBinding<Slot::IntegerCompareInteger> =
    Binding{"BigInteger.Operator_Compare(y As BigInteger) As Integer", ops::IntegerCompareInteger};
template <>
constexpr auto kBinding<Slot::FloatMultiplyRight> =
    Binding{"BigFloat.Operator_MultiplyRight(y As Integer) As BigFloat", ops::FloatMultiplyRight};
template <>
constexpr auto kBinding<Slot::FloatDivide> =
    Binding{"BigFloat.Operator_Divide(y As Integer) As BigFloat", ops::FloatDivide};
template <>
constexpr auto kBinding<Slot::FloatCompare> =
    Binding{"BigFloat.Operator_Compare(y As BigFloat) As Integer", ops::FloatCompare};

std::array<EntryPoint, kSlotCount> gEntries{};

template <std::size_t... Index>
std::array<Export, kSlotCount> MakeExports(std::index_sequence<Index...>) {
  return {Export{kBinding<static_cast<Slot>(Index)>.declaration,
                 reinterpret_cast<EntryPoint>(kBinding<static_cast<Slot>(Index)>.function)}...};
}

template <Slot S, typename... Args>
decltype(auto) Call(Args&&... args) {
  using Function = decltype(kBinding<S>.function);
  const EntryPoint entry = gEntries[static_cast<std::size_t>(S)];
  if (entry == nullptr) throw fw::NilObjectException("The big-number component is not bound.");
  return reinterpret_cast<Function>(entry)(std::forward<Args>(args)...);
}

}  // namespace

std::span<const Export> Exports() {
  static const std::array<Export, kSlotCount> exports =
      MakeExports(std::make_index_sequence<kSlotCount>());
  return exports;
}

void BindEntryPoints(const std::function<EntryPoint(std::string_view declaration)>& lookup) {
  const std::span<const Export> exports = Exports();
  for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
    gEntries[slot] = lookup(exports[slot].declaration);
  }
}

void UnbindEntryPoints() {
  gEntries.fill(nullptr);
}

BigInteger::BigInteger(std::string_view inputString)
    : BigInteger(Call<Slot::IntegerFromText>(inputString)) {}

BigInteger operator+(const BigInteger& x, std::int32_t y) {
  return Call<Slot::IntegerAdd>(x, y);
}
BigInteger operator-(const BigInteger& x, std::int32_t y) {
  return Call<Slot::IntegerSubtract>(x, y);
}
BigInteger operator*(std::int32_t x, const BigInteger& y) {
  return Call<Slot::IntegerMultiplyRight>(y, x);
}
BigInteger operator/(const BigInteger& x, std::int32_t y) {
  return Call<Slot::IntegerDivide>(x, y);
}
BigInteger operator-(const BigInteger& x, const BigInteger& y) {
  return Call<Slot::IntegerSubtractInteger>(x, y);
}
BigInteger operator*(const BigInteger& x, const BigInteger& y) {
  return Call<Slot::IntegerMultiplyInteger>(x, y);
}
std::strong_ordering operator<=>(const BigInteger& x, std::int32_t y) {
  return Call<Slot::IntegerCompare>(x, y) <=> 0;
}
std::strong_ordering operator<=>(const BigInteger& x, const BigInteger& y) {
  return Call<Slot::IntegerCompareInteger>(x, y) <=> 0;
}
bool operator==(const BigInteger& x, std::int32_t y) {
  return (x <=> y) == 0;
}
bool operator==(const BigInteger& x, const BigInteger& y) {
  return (x <=> y) == 0;
}

BigFloat operator*(std::int32_t x, const BigFloat& y) {
  return Call<Slot::FloatMultiplyRight>(y, x);
}
BigFloat operator/(const BigFloat& x, std::int32_t y) {
  return Call<Slot::FloatDivide>(x, y);
}
std::partial_ordering operator<=>(const BigFloat& x, const BigFloat& y) {
  return Call<Slot::FloatCompare>(x, y) <=> 0;
}
bool operator==(const BigFloat& x, const BigFloat& y) {
  return (x <=> y) == 0;
}

std::string Str(const BigInteger& x) {
  return Call<Slot::Str>(x);
}
BigInteger fpRandom2(std::int32_t n) {
  return Call<Slot::Random2>(n);
}
bool fpIsItPrime(const BigInteger& x, std::int32_t numTrials) {
  return Call<Slot::IsItPrime>(x, numTrials);
}
BigInteger fpPowerMod(const BigInteger& b, const BigInteger& m, std::int32_t k,
                      const BigInteger& n) {
  return Call<Slot::PowerMod>(b, m, k, n);
}
BigInteger fpGCD(const BigInteger& x, const BigInteger& y) {
  return Call<Slot::GCD>(x, y);
}
BigInteger fpInvMod(const BigInteger& x, const BigInteger& y) {
  return Call<Slot::InvMod>(x, y);
}
std::int32_t fpNumBits(const BigInteger& x) {
  return Call<Slot::NumBits>(x);
}
std::string fpConvBase(std::string_view inStr, std::int32_t baseTo, std::int32_t baseFrom,
                       std::int32_t numPlaces, bool toUpperCase) {
  return Call<Slot::ConvBase>(inStr, baseTo, baseFrom, numPlaces, toUpperCase);
}
void fpResetSeed(std::int32_t seed) {
  Call<Slot::ResetSeed>(seed);
}
BigFloat fpEquateBF_BI(const BigInteger& x) {
  return Call<Slot::EquateBF_BI>(x);
}
BigFloat fpPow(const BigFloat& x, double y) {
  return Call<Slot::Pow>(x, y);
}

}  // namespace bn
