#include "framework/PropertyList.h"
#include "framework/text/Exceptions.h"

#include <gtest/gtest.h>

namespace {
std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

// A target with one property of every stored type, recording what was set in order.
class Recorder : public PropertyTarget {
public:
    const PropertyTable& DeclaredProperties() const override
    {
        // clang-format off
        static const PropertyTable table = {
            Declare<Recorder, std::int32_t>("Width", [](Recorder& r, std::int32_t v) { r.log.push_back("Width=" + std::to_string(v)); }),
            Declare<Recorder, bool>("Visible", [](Recorder& r, bool v) { r.log.push_back(std::string("Visible=") + (v ? "1" : "0")); }),
            Declare<Recorder, const std::string&>("Title", [](Recorder& r, const std::string& v) { r.log.push_back("Title=" + v); }),
            Declare<Recorder, float>("TextSize", [](Recorder& r, float v) { r.log.push_back("TextSize=" + std::to_string(v)); }),
            Declare<Recorder, double>("LineSpacing", [](Recorder& r, double v) { r.log.push_back("LineSpacing=" + std::to_string(v)); }),
            Declare<Recorder, Color>("TextColor", [](Recorder& r, Color v) { r.log.push_back("TextColor=" + std::to_string(v.value)); }),
            Declare<Recorder, FontUnits>("TextUnit", [](Recorder& r, FontUnits v) { r.log.push_back("TextUnit=" + std::to_string(int(v))); }),
            Declare<Recorder, std::int32_t>("MacProcId", [](Recorder& r, std::int32_t v) { r.log.push_back("MacProcId=" + std::to_string(v)); }),
        };
        // clang-format on
        return table;
    }
    std::vector<std::string> log;
};
}

TEST(PropertyList, EncodesTheStoredExamples)
{
    struct Case {
        PropertyEntry entry;
        std::string bytes;
    };
    const Case cases[] = {
        {{"Width", 550}, "Width " + Bytes({0x26, 0x02, 0x00, 0x00})},
        {{"Height", 411}, "Height " + Bytes({0x9B, 0x01, 0x00, 0x00})},
        {{"Title", std::string("Quorvane for YouTube")}, "Title " + Bytes({0x14, 0, 0, 0}) + "Quorvane for YouTube"},
        {{"HelpTag", std::string()}, "HelpTag " + Bytes({0, 0, 0, 0})},
        {{"Index", kNoIndex}, "Index " + Bytes({0, 0, 0, 0x80})},
        {{"Visible", false}, "Visible " + Bytes({0})},
        {{"Default", true}, "Default " + Bytes({1})},
        {{"TextSize", 14.0f}, "TextSize " + Bytes({0x00, 0x00, 0x60, 0x41})},
        {{"LineSpacing", 1.0}, "LineSpacing " + Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F})},
        {{"BackColor", RGB(255, 255, 255)}, "BackColor " + Bytes({0xFF, 0xFF, 0xFF, 0x00})},
        {{"TextColor", RGB(0x6F, 0x75, 0x73)}, "TextColor " + Bytes({0x73, 0x75, 0x6F, 0x00})},
        {{"TextUnit", FontUnits {0}}, "TextUnit " + Bytes({0})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EncodePropertyList({c.entry}), c.bytes) << c.entry.name;
}

TEST(PropertyList, StoredListReadsBackEntryByEntryInOrder)
{
    const PropertyList list = {
        {"Width", 550},
        {"Title", std::string("Quorvane for YouTube")},
        {"Visible", false},
        {"TextSize", 14.0f},
        {"LineSpacing", 1.0},
        {"TextColor", RGB(0, 0, 0)},
        {"TextUnit", FontUnits {0}},
        {"Title", std::string()},
    };
    Recorder direct, stored;
    _SetProperties(direct, list);
    ApplyStoredPropertyList(stored, EncodePropertyList(list));
    EXPECT_EQ(stored.log, direct.log);
    EXPECT_EQ(stored.log.front(), "Width=550");
    // A title with spaces is read by its count: only a name ends at a space.
    EXPECT_EQ(stored.log[1], "Title=Quorvane for YouTube");
    EXPECT_EQ(stored.log.back(), "Title=");
}

TEST(PropertyList, NamesMatchWithoutRegardToCase)
{
    Recorder recorder;
    _SetProperties(recorder, {{"MacProcID", 0}, {"WIDTH", 1}});
    ApplyStoredPropertyList(recorder, EncodePropertyList({{"macprocid", 7}}));
    EXPECT_EQ(recorder.log, (std::vector<std::string> {"MacProcId=0", "Width=1", "MacProcId=7"}));
}

TEST(PropertyList, MalformedListsAreProgrammingErrors)
{
    Recorder recorder;
    EXPECT_THROW(_SetProperties(recorder, {{"Nonesuch", 1}}), PropertyListException);
    EXPECT_THROW(_SetProperties(recorder, {{"Width", true}}), PropertyListException);
    const std::string whole = EncodePropertyList({{"Width", 550}, {"Title", std::string("abc")}});
    for (std::size_t cut : {whole.size() - 1, std::size_t(13), std::size_t(3)})
        EXPECT_THROW(ApplyStoredPropertyList(recorder, std::string_view(whole).substr(0, cut)), PropertyListException) << cut;
    EXPECT_THROW(ApplyStoredPropertyList(recorder, "Nonesuch " + Bytes({1, 0, 0, 0})), PropertyListException);
}
