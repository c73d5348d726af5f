#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "CompareableObject.h"

namespace tulma {

class TObjectStream;

// The persistent string value. Its text never holds a NUL: everything from the first NUL on is cut.
class TText : public TCompareableObject {
  public:
    static constexpr int32_t ClassCode = 1000;
    static constexpr const char* ClassName = "TText";
    static constexpr int32_t InitialCapacity = 10;

    TText() = default;
    explicit TText(TObjectStream& Stream);
    static std::unique_ptr<TText> CreateWithText(std::string_view S);

    const std::string& GetText() const { return FText; }
    int32_t Length() const { return static_cast<int32_t>(FText.size()); }
    int32_t Capacity() const { return FCapacity; }
    void SetText(std::string_view S);
    void SetChars(const char* P) { SetText(P); }
    // Room for N characters; a shorter N first cuts the text to N characters.
    void SetCapacity(int32_t N);

    // Every occurrence of Old, left to right and without overlap, becomes New.
    void ReplaceAll(std::string_view Old, std::string_view New);
    void CommaToPoint() { ReplaceAll(",", "."); }
    // Replaces each %NAME% reference by the value of the environment variable NAME.
    void ExpandEnvironment();

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;
    int8_t Compare(const TCompareableObject& Other) const override;

  private:
    std::string FText;
    int32_t FCapacity = InitialCapacity;
};

// True when Text matches Pattern ignoring case: a leading "*" lets Pattern's core stand anywhere,
// a trailing "*" lets anything follow it; without stars the two must be equal.
bool MatchesPattern(std::string_view Text, std::string_view Pattern);

}  // namespace tulma
