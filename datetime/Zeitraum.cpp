#include "Zeitraum.h"

#include "FieldVisitor.h"
#include "ObjectStream.h"

namespace tulma {

TZeitraum::TZeitraum()
    : FVon(std::make_unique<TDatum>(1, 1, 1900)), FBis(std::make_unique<TDatum>(31, 12, 2099)) {}

TZeitraum::TZeitraum(TObjectStream& Stream)
    : FVon(Stream.ReadObjectOf<TDatum>()), FBis(Stream.ReadObjectOf<TDatum>()) {}

bool TZeitraum::ContainsDate(const TDatum& Date) const {
    return (FVon->IsZeroDate() || FVon->Compare(Date) <= 0) &&
           (FBis->IsZeroDate() || FBis->Compare(Date) >= 0);
}

std::string TZeitraum::MakeText() const {
    return FVon->Date2Text() + "-" + FBis->Date2Text();
}

void TZeitraum::SetToZeroValues() {
    FVon->SetToZeroDate();
    FBis->SetToZeroDate();
}

bool TZeitraum::IsZeroValues() const {
    return FVon->IsZeroDate() && FBis->IsZeroDate();
}

void TZeitraum::Store(TObjectStream& Stream) const {
    Stream.WriteObject(*FVon);
    Stream.WriteObject(*FBis);
}

void TZeitraum::CopyTo(TStreamableObject& Dest) const {
    TStreamableObject::CopyTo(Dest);
    auto& Target = CastTo<TZeitraum>(Dest);
    FVon->CopyTo(*Target.FVon);
    FBis->CopyTo(*Target.FBis);
}

void TZeitraum::VisitFields(TFieldVisitor& Visitor) {
    Visitor.Object("Von", *FVon);
    Visitor.Object("Bis", *FBis);
}

}  // namespace tulma
