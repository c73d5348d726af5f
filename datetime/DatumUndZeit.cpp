#include "DatumUndZeit.h"

#include "Calendar.h"
#include "DateFormat.h"
#include "DateTimeValue.h"
#include "FieldVisitor.h"
#include "ObjectStream.h"
#include "SystemClock.h"

namespace tulma {

TDatumUndZeit::TDatumUndZeit() : FDatum(std::make_unique<TDatum>()), FZeit(std::make_unique<TZeit>()) {}

TDatumUndZeit::TDatumUndZeit(TObjectStream& Stream)
    : FDatum(Stream.ReadObjectOf<TDatum>()), FZeit(Stream.ReadObjectOf<TZeit>()) {}

int8_t TDatumUndZeit::Compare(const TCompareableObject& Other) const {
    const auto& Moment = CastTo<const TDatumUndZeit>(Other);
    const int8_t ByDate = FDatum->Compare(*Moment.FDatum);
    return ByDate != 0 ? ByDate : FZeit->Compare(*Moment.FZeit);
}

void TDatumUndZeit::GetCurrValues() {
    const TDateTimeFields Now = CurrentLocalDateTime();
    FDatum->SetDate(static_cast<int8_t>(Now.Day), static_cast<int8_t>(Now.Month),
                    static_cast<int16_t>(Now.Year));
    FZeit->SetTime(static_cast<int8_t>(Now.Hour), static_cast<int8_t>(Now.Minute),
                   static_cast<int8_t>(Now.Second));
}

void TDatumUndZeit::SetToZeroValue() {
    FDatum->SetToZeroDate();
    FZeit->SetToZeroTime();
}

bool TDatumUndZeit::IsZeroValue() const {
    return FDatum->IsZeroDate() && FZeit->IsZeroTime();
}

std::string TDatumUndZeit::ConvertToText() const {
    return IsZeroValue() ? "---" : FDatum->Date2Text() + " " + FZeit->Time2Text(true);
}

std::string TDatumUndZeit::MakeReadable() const {
    return FDatum->Date2Text() + " um " + FZeit->Time2Text(false) + " Uhr";
}

std::string TDatumUndZeit::MakeForSort(bool Ascending) const {
    return FDatum->MakeForSort(Ascending) + SortKeyPart(FZeit->Stunde, 24, Ascending) +
           SortKeyPart(FZeit->Minute, 60, Ascending) + SortKeyPart(FZeit->Sekunde, 60, Ascending);
}

double TDatumUndZeit::GetTDateTime() const {
    if (IsZeroValue()) {
        return 0;
    }
    return CombineDateAndTime(FDatum->GetTDateTime(), FZeit->GetTDateTime());
}

void TDatumUndZeit::SetTDateTime(double Value) {
    const auto Parts = SplitDateValue(Value);
    if (!Parts) {
        SetToZeroValue();
        return;
    }
    const TCivilDate Date = CivilFromDaysSince1900(Parts->DaysSince1900);
    FDatum->SetDate(static_cast<int8_t>(Date.Day), static_cast<int8_t>(Date.Month),
                    static_cast<int16_t>(Date.Year));
    FZeit->SetMillisecondOfDay(Parts->MillisecondOfDay);
}

void TDatumUndZeit::Store(TObjectStream& Stream) const {
    Stream.WriteObject(*FDatum);
    Stream.WriteObject(*FZeit);
}

void TDatumUndZeit::CopyTo(TStreamableObject& Dest) const {
    TCompareableObject::CopyTo(Dest);
    auto& Target = CastTo<TDatumUndZeit>(Dest);
    FDatum->CopyTo(*Target.FDatum);
    FZeit->CopyTo(*Target.FZeit);
}

void TDatumUndZeit::VisitFields(TFieldVisitor& Visitor) {
    Visitor.Object("Datum", *FDatum);
    Visitor.Object("Zeit", *FZeit);
}

}  // namespace tulma
