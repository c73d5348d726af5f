#include "FieldKindsSample.h"

#include "FieldVisitor.h"
#include "ObjectStream.h"

namespace tulma {

TFieldKindsSample::TFieldKindsSample() : FLabel(std::make_unique<TText>()) {}

TFieldKindsSample::TFieldKindsSample(TObjectStream& Stream)
    : TObjectList(Stream),
      IntegerValue(Stream.ReadInteger()),
      SmallIntValue(Stream.ReadSmallInt()),
      WordValue(Stream.ReadWord()),
      ByteValue(Stream.ReadByte()),
      ShortIntValue(static_cast<int8_t>(Stream.ReadByte())),
      BooleanValue(Stream.ReadBoolean()),
      StringValue(Stream.ReadString()),
      FLabel(Stream.ReadObjectOf<TText>()) {}

void TFieldKindsSample::Store(TObjectStream& Stream) const {
    TObjectList::Store(Stream);
    Stream.WriteInteger(IntegerValue);
    Stream.WriteSmallInt(SmallIntValue);
    Stream.WriteWord(WordValue);
    Stream.WriteByte(ByteValue);
    Stream.WriteByte(static_cast<uint8_t>(ShortIntValue));
    Stream.WriteBoolean(BooleanValue);
    Stream.WriteString(StringValue);
    Stream.WriteObject(*FLabel);
}

void TFieldKindsSample::VisitFields(TFieldVisitor& Visitor) {
    TObjectList::VisitFields(Visitor);
    Visitor.Integer("IntegerValue", IntegerValue);
    Visitor.SmallInt("SmallIntValue", SmallIntValue);
    Visitor.Word("WordValue", WordValue);
    Visitor.Byte("ByteValue", ByteValue);
    Visitor.ShortInt("ShortIntValue", ShortIntValue);
    Visitor.Boolean("BooleanValue", BooleanValue);
    Visitor.String("StringValue", StringValue);
    Visitor.Object("Label", *FLabel);
}

}  // namespace tulma
