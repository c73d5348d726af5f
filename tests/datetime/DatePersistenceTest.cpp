#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ClassRegistry.h"
#include "DateSortingOrder.h"
#include "DateTestSupport.h"
#include "DatumUndZeit.h"
#include "FieldVisitor.h"
#include "ObjectList.h"
#include "ObjectStream.h"
#include "Text.h"
#include "Zeitraum.h"

namespace tulma {
namespace {

std::vector<uint8_t> Written(const TStreamableObject& Object) {
    TObjectStream Stream(0);
    Stream.WriteObject(Object);
    return Stream.Bytes();
}

std::unique_ptr<TStreamableObject> ReadBack(const std::vector<uint8_t>& Bytes) {
    TObjectStream Stream(0);
    Stream.LoadFromBytes(Bytes);
    auto Object = Stream.ReadObject();
    EXPECT_EQ(Stream.Remaining(), 0);
    return Object;
}

using Bytes = std::vector<uint8_t>;

TEST(DatePersistence, StreamLayouts) {
    EXPECT_EQ(Written(TDatum(6, 4, 1998)), (Bytes{0xEE, 0x03, 0, 0, 6, 4, 0xCE, 0x07}));
    EXPECT_EQ(Written(TDatum(-1, 0, -2)), (Bytes{0xEE, 0x03, 0, 0, 0xFF, 0, 0xFE, 0xFF}));
    EXPECT_EQ(Written(TDateSortingOrder()), (Bytes{0xEF, 0x03, 0, 0, 0, 1, 2}));
    EXPECT_EQ(Written(TZeit(14, 5, 9)), (Bytes{0xF1, 0x03, 0, 0, 14, 5, 9}));
    EXPECT_EQ(Written(TZeitraum()), (Bytes{0xF0, 0x03, 0,    0,    0xEE, 0x03, 0,  0,  1,    1,
                                           0x6C, 0x07, 0xEE, 0x03, 0,    0,    31, 12, 0x33, 0x08}));
    TDatumUndZeit Moment;
    Moment.Datum().SetDate(6, 4, 1998);
    Moment.Zeit().SetTime(14, 5, 9);
    EXPECT_EQ(Written(Moment),
              (Bytes{0xF2, 0x03, 0, 0, 0xEE, 0x03, 0, 0, 6, 4, 0xCE, 0x07, 0xF1, 0x03, 0, 0, 14, 5, 9}));
}

TEST(DatePersistence, NewObjects) {
    EXPECT_TRUE(TDatum().IsZeroDate());
    EXPECT_TRUE(TZeit().IsZeroTime());
    EXPECT_TRUE(TDatumUndZeit().IsZeroValue());
    EXPECT_EQ(TDateSortingOrder().Order, (std::array<uint8_t, 3>{0, 1, 2}));
    const TZeitraum Period;
    EXPECT_EQ(Fields(Period.Von()), "1.1.1900");
    EXPECT_EQ(Fields(Period.Bis()), "31.12.2099");
}

TEST(DatePersistence, AllFiveRoundTripInsideAnObjectList) {
    TObjectList List;
    List.Add(std::make_unique<TDatum>(-5, 13, 32767));
    auto Order = std::make_unique<TDateSortingOrder>();
    Order->Order = {2, 1, 0};
    List.Add(std::move(Order));
    auto Period = std::make_unique<TZeitraum>();
    Period->Von().SetDate(1, 4, 1998);
    Period->Bis().SetToZeroDate();
    List.Add(std::move(Period));
    List.Add(std::make_unique<TZeit>(23, 59, 58));
    auto Moment = std::make_unique<TDatumUndZeit>();
    Moment->Datum().SetDate(29, 2, 2000);
    Moment->Zeit().SetTime(12, 34, 56);
    List.Add(std::move(Moment));
    List.Add(TText::CreateWithText("Ende"));

    const auto Object = ReadBack(Written(List));
    const auto& Read = CastTo<TObjectList>(*Object);
    ASSERT_EQ(Read.Count(), 6);
    EXPECT_EQ(Fields(Read.ItemAs<TDatum>(0)), "-5.13.32767");
    EXPECT_EQ(Read.ItemAs<TDateSortingOrder>(1).Order, (std::array<uint8_t, 3>{2, 1, 0}));
    EXPECT_EQ(Fields(Read.ItemAs<TZeitraum>(2).Von()), "1.4.1998");
    EXPECT_TRUE(Read.ItemAs<TZeitraum>(2).Bis().IsZeroDate());
    EXPECT_EQ(Fields(Read.ItemAs<TZeit>(3)), "23:59:58");
    EXPECT_EQ(Read.ItemAs<TDatumUndZeit>(4).ConvertToText(), "29.02.2000 12:34:56");
    EXPECT_EQ(Read.ItemAs<TText>(5).GetText(), "Ende");
}

TEST(DatePersistence, CopiesAreDeep) {
    TZeitraum Period;
    Period.Von().SetDate(1, 4, 1998);
    TZeitraum Copy;
    Period.CopyTo(Copy);
    Period.Von().SetDate(2, 5, 1999);
    EXPECT_EQ(Fields(Copy.Von()), "1.4.1998");
    EXPECT_EQ(Fields(Copy.Bis()), "31.12.2099");

    TDatumUndZeit Moment;
    Moment.Datum().SetDate(6, 4, 1998);
    Moment.Zeit().SetTime(14, 5, 9);
    const auto New = Moment.CopyToNew();
    Moment.SetToZeroValue();
    EXPECT_EQ(CastTo<TDatumUndZeit>(*New).ConvertToText(), "06.04.1998 14:05:09");

    TDateSortingOrder Order;
    Order.Order = {1, 2, 0};
    TDateSortingOrder OrderCopy;
    OrderCopy.Assign(Order);
    EXPECT_EQ(OrderCopy.Order, Order.Order);

    TZeit Time;
    TZeit(1, 2, 3).CopyTo(Time);
    EXPECT_EQ(Fields(Time), "1:2:3");
    TDatum Date;
    TDatum(6, 4, 1998).CopyTo(Date);
    EXPECT_EQ(Fields(Date), "6.4.1998");
}

TEST(DatePersistence, CopyOrCompareAcrossClassesIsAnInvalidCast) {
    TZeit Time;
    TDatum Date;
    TZeitraum Period;
    TDatumUndZeit Moment;
    TDateSortingOrder Order;
    EXPECT_THROW(TDatum().CopyTo(Time), EInvalidCast);
    EXPECT_THROW(TZeit().CopyTo(Date), EInvalidCast);
    EXPECT_THROW(Period.CopyTo(Moment), EInvalidCast);
    EXPECT_THROW(Moment.CopyTo(Period), EInvalidCast);
    EXPECT_THROW(Order.CopyTo(Date), EInvalidCast);
    EXPECT_THROW(Date.Compare(Time), EInvalidCast);
    EXPECT_THROW(Moment.Compare(Date), EInvalidCast);
    try {
        Time.Compare(Date);
        FAIL() << "no error";
    } catch (const EInvalidCast& Error) {
        EXPECT_STREQ(Error.what(), "Ungültige Typumwandlung");
    }
}

TEST(DatePersistence, DamagedStreamsRaiseReadErrors) {
    // A period whose first owned object is a time.
    EXPECT_THROW(ReadBack(Bytes{0xF0, 0x03, 0, 0, 0xF1, 0x03, 0, 0, 1, 2, 3}), EReadError);
    // Cut off inside the owned time.
    EXPECT_THROW(ReadBack(Bytes{0xF2, 0x03, 0, 0, 0xEE, 0x03, 0, 0, 6, 4, 0xCE, 0x07, 0xF1, 0x03, 0, 0, 14}),
                 EReadError);
    EXPECT_THROW(ReadBack(Bytes{0xEE, 0x03, 0, 0, 6, 4, 0xCE}), EReadError);
    EXPECT_THROW(ReadBack(Bytes{0xEF, 0x03, 0, 0, 0, 1}), EReadError);
    // An owned object under a code that no class has.
    EXPECT_THROW(ReadBack(Bytes{0xF0, 0x03, 0, 0, 0xE7, 0x03, 0, 0}), EClassNotFound);
}

TEST(DatePersistence, RegisteredUnderTheirCodes) {
    EXPECT_EQ(ClassRegistry().GetClassForID(1006).Name, "TDatum");
    EXPECT_EQ(ClassRegistry().GetClassForID(1007).Name, "TDateSortingOrder");
    EXPECT_EQ(ClassRegistry().GetClassForID(1008).Name, "TZeitraum");
    EXPECT_EQ(ClassRegistry().GetClassForID(1009).Name, "TZeit");
    EXPECT_EQ(ClassRegistry().GetClassForID(1010).Name, "TDatumUndZeit");
    for (int32_t Code = 1006; Code <= 1010; ++Code) {
        EXPECT_EQ(ClassRegistry().GetClassForID(Code).Create()->GetRegistrationCode(), Code);
    }
}

// Writes down the visited fields as "name:kind" and owned objects with their own fields in brackets.
class RecordingVisitor : public TFieldVisitor {
  public:
    std::string Record;

    void Integer(std::string_view Name, int32_t&) override { Add(Name, "Integer"); }
    void SmallInt(std::string_view Name, int16_t&) override { Add(Name, "SmallInt"); }
    void Word(std::string_view Name, uint16_t&) override { Add(Name, "Word"); }
    void Byte(std::string_view Name, uint8_t&) override { Add(Name, "Byte"); }
    void ShortInt(std::string_view Name, int8_t&) override { Add(Name, "ShortInt"); }
    void Boolean(std::string_view Name, bool&) override { Add(Name, "Boolean"); }
    void String(std::string_view Name, std::string&) override { Add(Name, "String"); }
    void Object(std::string_view Name, TStreamableObject& Owned) override {
        Add(Name, "[");
        Owned.VisitFields(*this);
        Record += "]";
    }
    void Items(TObjectList&) override { Add("", "Items"); }

  private:
    void Add(std::string_view Name, std::string_view Kind) {
        Record +=
            (Record.empty() || Record.back() == '[' ? "" : " ") + std::string(Name) + ":" + std::string(Kind);
    }
};

std::string VisitedFields(TStreamableObject& Object) {
    RecordingVisitor Visitor;
    Object.VisitFields(Visitor);
    return Visitor.Record;
}

TEST(DatePersistence, FieldsAreVisitedInStreamOrder) {
    TDatum Date;
    TDateSortingOrder Order;
    TZeitraum Period;
    TZeit Time;
    TDatumUndZeit Moment;
    EXPECT_EQ(VisitedFields(Date), "Tag:ShortInt Monat:ShortInt Jahr:SmallInt");
    EXPECT_EQ(VisitedFields(Order), "Order0:Byte Order1:Byte Order2:Byte");
    EXPECT_EQ(
        VisitedFields(Period),
        "Von:[Tag:ShortInt Monat:ShortInt Jahr:SmallInt] Bis:[Tag:ShortInt Monat:ShortInt Jahr:SmallInt]");
    EXPECT_EQ(VisitedFields(Time), "Stunde:ShortInt Minute:ShortInt Sekunde:ShortInt");
    EXPECT_EQ(VisitedFields(Moment),
              "Datum:[Tag:ShortInt Monat:ShortInt Jahr:SmallInt] "
              "Zeit:[Stunde:ShortInt Minute:ShortInt Sekunde:ShortInt]");
}

}  // namespace
}  // namespace tulma
