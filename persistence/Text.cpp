#include "Text.h"

#include <cstdlib>

#include "FieldVisitor.h"
#include "LocaleText.h"
#include "ObjectStream.h"

namespace tulma {
namespace {

// The whole value, however long: a long PATH cut off after 199 characters would name a wrong file.
std::string EnvironmentValue(const std::string& Name) {
    const char* Value = Name.empty() ? nullptr : std::getenv(Name.c_str());
    return Value == nullptr ? std::string() : std::string(Value);
}

}  // namespace

TText::TText(TObjectStream& Stream) {
    SetText(Stream.ReadString());
}

std::unique_ptr<TText> TText::CreateWithText(std::string_view S) {
    auto Text = std::make_unique<TText>();
    Text->SetText(S);
    return Text;
}

void TText::SetText(std::string_view S) {
    S = S.substr(0, S.find('\0'));
    if (static_cast<int64_t>(S.size()) >= FCapacity) {
        SetCapacity(static_cast<int32_t>(S.size()) + 10);
    }
    FText.assign(S);
}

void TText::SetCapacity(int32_t N) {
    if (N < FCapacity && N >= 0 && static_cast<size_t>(N) < FText.size()) {
        FText.resize(static_cast<size_t>(N));
    }
    FCapacity = N + 5;
}

void TText::ReplaceAll(std::string_view Old, std::string_view New) {
    if (Old.empty()) {
        return;
    }
    std::string Result;
    size_t From = 0;
    for (size_t Found = FText.find(Old); Found != std::string::npos; Found = FText.find(Old, From)) {
        Result.append(FText, From, Found - From).append(New);
        From = Found + Old.size();
    }
    Result.append(FText, From);
    SetText(Result);
}

void TText::ExpandEnvironment() {
    const std::string Scan = FText;
    size_t Open = Scan.find('%');
    while (Open != std::string::npos) {
        const size_t Close = Scan.find('%', Open + 1);
        if (Close == std::string::npos) {
            return;
        }
        const std::string Name = Scan.substr(Open + 1, Close - Open - 1);
        ReplaceAll("%" + Name + "%", EnvironmentValue(Name));
        Open = Scan.find('%', Close + 1);
    }
}

void TText::Store(TObjectStream& Stream) const {
    Stream.WriteString(FText);
}

void TText::CopyTo(TStreamableObject& Dest) const {
    TCompareableObject::CopyTo(Dest);
    CastTo<TText>(Dest).SetChars(FText.c_str());
}

void TText::VisitFields(TFieldVisitor& Visitor) {
    std::string Value = FText;
    Visitor.String("Text", Value);
    SetText(Value);
}

int8_t TText::Compare(const TCompareableObject& Other) const {
    return CompareTextIgnoreCase(FText, CastTo<const TText>(Other).FText);
}

bool MatchesPattern(std::string_view Text, std::string_view Pattern) {
    if (Pattern.empty()) {
        return true;
    }
    const bool LeadingStar = Pattern.front() == '*';
    const bool TrailingStar = Pattern.back() == '*';
    std::string_view Core = Pattern;
    Core.remove_prefix(LeadingStar ? 1 : 0);
    if (TrailingStar && !Core.empty()) {
        Core.remove_suffix(1);
    }
    if (Core.empty()) {
        // Only asterisks: "*" alone and "**" match everything, as a reader of the pattern expects.
        return true;
    }
    const std::string UpperText = UpperCase(Text);
    const std::string UpperCore = UpperCase(Core);
    const size_t Found = UpperText.find(UpperCore);
    if (Found == std::string::npos || (!LeadingStar && Found != 0)) {
        return false;
    }
    return TrailingStar || Found + UpperCore.size() == UpperText.size();
}

}  // namespace tulma
