#include "platform/rich/richdataobject.h"

#include <gtest/gtest.h>

#include "platform/rich/littleendian32.h"
#include "platform/rich/richdataobjectembedded.h"
#include "platform/rich/richdataobjectenum.h"
#include "platform/rich/richobject_testsupport.h"
#include "platform/rich/richobjectpersist.h"
#include "platform/win/clipboard.h"

namespace vex {
namespace {

uint32_t NumberAt(const std::string& Bytes, size_t Offset) {
    if (Offset + 4 > Bytes.size()) throw std::out_of_range("past the descriptor");
    return Number32At(Bytes, Offset);
}

// A name of the descriptor read back, UTF-16 to its end.
std::u16string NameAt(const std::string& Bytes, size_t Offset) {
    std::u16string name;
    const std::string padded = Bytes + std::string(2, '\0');
    for (size_t at = Offset; NumberAt(padded, at) & 0xFFFF; at += 2)
        name.push_back(static_cast<char16_t>(NumberAt(padded, at) & 0xFFFF));
    return name;
}

struct TLinkedBox : test::TBoxObject {
    std::string LinkSource() const override {
        return "C:\\n\xe9"
               "e.box";
    }
};

TEST(RichObjectDataObject, OffersTheObjectAndItsDescriptorUnderTheRegisteredNames) {
    auto box = std::make_shared<test::TBoxObject>();
    box->SetLabel("copied");
    const TRichObjectDataObject data(box);
    EXPECT_EQ(data.Formats(), (std::vector<UINT>{RegisterClipboardFormat("Embedded Object"),
                                                 RegisterClipboardFormat("object descriptor")}));
    EXPECT_GE(EmbeddedObjectFormat(), 0xC000u);
    EXPECT_FALSE(data.GetData(CF_TEXT));
    EXPECT_FALSE(data.GetData(0));
    const std::optional<std::string> embedded = data.GetData(EmbeddedObjectFormat());
    ASSERT_TRUE(embedded);
    const auto copy =
        LoadObjectFromStorage(test::BoxObjectKinds(), TRichObjectStorage::FromBytes(*embedded));
    EXPECT_EQ(dynamic_cast<const test::TBoxObject&>(*copy).Label(), "copied");
}

TEST(RichObjectDataObject, DescribesEmbeddedAndLinkedObjects) {
    struct TCase {
        std::shared_ptr<test::TBoxObject> Object;
        std::u16string Type, Source;
    };
    const std::vector<TCase> cases{
        {std::make_shared<test::TBoxObject>(), u"Box Object", u""},
        {std::make_shared<TLinkedBox>(), u"Linked Box Object", u"C:\\n\u00e9e.box"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Object->LinkSource());
        c.Object->SetExtent({1440, 720});
        c.Object->SetDrawAspect(DVASPECT_ICON);
        const std::string descriptor =
            *TRichObjectDataObject(c.Object).GetData(ObjectDescriptorFormat());
        EXPECT_EQ(NumberAt(descriptor, 0), descriptor.size());
        EXPECT_EQ(descriptor.substr(4, 16), std::string(16, '\0'));
        EXPECT_EQ(NumberAt(descriptor, 20), DVASPECT_ICON);
        EXPECT_EQ(NumberAt(descriptor, 24), 2540u);  // an inch, in hundredths of a millimetre
        EXPECT_EQ(NumberAt(descriptor, 28), 1270u);
        EXPECT_EQ(NumberAt(descriptor, 40), OLEMISC_RECOMPOSEONRESIZE);
        EXPECT_EQ(NumberAt(descriptor, 44), 52u);
        EXPECT_EQ(NameAt(descriptor, 52), c.Type);
        EXPECT_EQ(NumberAt(descriptor, 48), 52 + 2 * (c.Type.size() + 1));
        EXPECT_EQ(NameAt(descriptor, NumberAt(descriptor, 48)), c.Source);
        EXPECT_EQ(descriptor.size(), NumberAt(descriptor, 48) + 2 * (c.Source.size() + 1));
    }
}

TEST(RichFormatEnumerator, WalksTheFormatsInStepsAndFromCopies) {
    const TRichObjectDataObject data(std::make_shared<test::TBoxObject>());
    const std::vector<UINT> all = data.Formats();
    std::unique_ptr<TRichFormatEnumerator> walk = EnumFormats(data);
    std::vector<UINT> got{99};
    EXPECT_EQ(walk->Next(0, got), S_OK);
    EXPECT_TRUE(got.empty());
    EXPECT_EQ(walk->Next(1, got), S_OK);
    EXPECT_EQ(got, (std::vector<UINT>{all[0]}));
    // Five asked at the second of two: one comes, and the answer says fewer came.
    std::unique_ptr<TRichFormatEnumerator> copy = walk->Clone();
    EXPECT_EQ(walk->Next(5, got), S_FALSE);
    EXPECT_EQ(got, (std::vector<UINT>{all[1]}));
    EXPECT_EQ(walk->Next(1, got), S_FALSE);
    EXPECT_TRUE(got.empty());
    // The copy went on from where the walk was, on its own.
    EXPECT_EQ(copy->Next(1, got), S_OK);
    EXPECT_EQ(got, (std::vector<UINT>{all[1]}));
    walk->Reset();
    EXPECT_EQ(walk->Skip(1), S_OK);
    EXPECT_EQ(walk->Skip(3), S_FALSE);
    EXPECT_EQ(walk->Skip(0), S_OK);
    walk->Reset();
    EXPECT_EQ(walk->Next(UINT32_MAX, got), S_FALSE);
    EXPECT_EQ(got, all);
}

}  // namespace
}  // namespace vex
