#include <gtest/gtest.h>

#include "ClassRegistry.h"
#include "ID.h"
#include "IDList.h"
#include "ObjectStream.h"
#include "SortedObjectList.h"
#include "StreamBytes.h"
#include "Text.h"

namespace tulma {
namespace {

// A class of its own for registry tests, so that the program's registry stays untouched.
class TProbe : public TStreamableObject {
  public:
    static constexpr int32_t ClassCode = 1000;
    static constexpr const char* ClassName = "TProbe";
    TProbe() = default;
    explicit TProbe(TObjectStream&) {}
    int32_t GetRegistrationCode() const override { return ClassCode; }
};

TEST(ClassRegistry, ProgramClassesAreKeptInDescendingOrder) {
    const TClassRegistry& Registry = ClassRegistry();
    ASSERT_GE(Registry.Count(), 15);
    for (int32_t I = 1; I < Registry.Count(); ++I) {
        EXPECT_GT(Registry.At(I - 1).Code, Registry.At(I).Code);
    }
    int32_t Position = -1;
    EXPECT_TRUE(Registry.GetPosition(1003, Position));
    EXPECT_EQ(Registry.At(Position).ObjectClass.Name, "TIDList");
    EXPECT_FALSE(Registry.GetPosition(180, Position));
    EXPECT_EQ(Registry.At(Position).Code, 156) << "the first entry whose code is smaller";
    EXPECT_EQ(Registry.At(Position - 1).Code, 201);
}

TEST(ClassRegistry, MissingCodeRaisesOnlyWhenAsked) {
    const TClassRegistry& Registry = ClassRegistry();
    EXPECT_EQ(Registry.GetEntryForID(4711, false), nullptr);
    EXPECT_THROW(Registry.GetEntryForID(4711, true), EClassNotFound);
}

TEST(ClassRegistry, DuplicateCodePrintsOneLineAndKeepsBoth) {
    TClassRegistry Registry;
    Registry.RegisterObjectClass<TText>();
    testing::internal::CaptureStdout();
    Registry.RegisterObjectClass<TProbe>();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Class ID 1000 used by TText wanted by TProbe\n");
    EXPECT_EQ(Registry.Count(), 2);
    EXPECT_EQ(Registry.At(0).ObjectClass.Name, "TProbe") << "the newcomer goes in front";
}

TEST(ObjectCopies, CopyToNewBuildsTheClassRegisteredUnderTheCode) {
    TSortedObjectList Sorted;
    Sorted.Add(TText::CreateWithText("b"));
    Sorted.Add(TText::CreateWithText("a"));
    auto Copy = Sorted.CopyToNew();
    auto* List = dynamic_cast<TObjectList*>(Copy.get());
    ASSERT_NE(List, nullptr);
    EXPECT_EQ(dynamic_cast<TSortedObjectList*>(Copy.get()), nullptr);
    ASSERT_EQ(List->Count(), 2);
    EXPECT_EQ(List->ItemAs<TText>(0).GetText(), "a");
    EXPECT_NE(List->At(0), Sorted.At(0));
}

TEST(ObjectCopies, CreateCopyAndAssignGoThroughCopyTo) {
    auto Source = TText::CreateWithText("src");
    auto Copy = ClassRegistry().GetClassForID(TText::ClassCode).CreateCopy(*Source);
    EXPECT_EQ(dynamic_cast<TText&>(*Copy).GetText(), "src");
    TText Target;
    Target.Assign(*Source);
    EXPECT_EQ(Target.GetText(), "src");
    TID Wrong;
    EXPECT_THROW(Wrong.Assign(*Source), EInvalidCast);
}

TEST(ObjectCasts, TryCastToTakesTheClassAndItsHeirsOnly) {
    TText Text;
    TIDList IDList;
    TProbe SameCodeAsText;
    TStreamableObject* const None = nullptr;
    EXPECT_EQ(TryCastTo<TText>(static_cast<TStreamableObject*>(&Text)), &Text);
    EXPECT_EQ(TryCastTo<TObjectList>(static_cast<TStreamableObject*>(&IDList)), &IDList);
    EXPECT_EQ(TryCastTo<TID>(static_cast<TStreamableObject*>(&Text)), nullptr);
    EXPECT_EQ(TryCastTo<TText>(static_cast<TStreamableObject*>(&SameCodeAsText)), nullptr);
    EXPECT_EQ(TryCastTo<TText>(None), nullptr);
}

}  // namespace
}  // namespace tulma
