#include "framework/FileType.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
// The program's text type, as start-up sets it.
std::unique_ptr<FileType> TextType()
{
    auto type = std::make_unique<FileType>();
    type->SetName("text/plain");
    type->SetExtensions(".text;.txt");
    type->SetMacType("TEXT");
    type->SetMacCreator("????");
    type->SetMimeType("");
    type->SetImported(true);
    type->SetConformsTo("");
    type->SetUTI("public.text");
    return type;
}
}

TEST(FileType, StringFormIsTheNameAndRegistersOnce)
{
    auto type = TextType();
    EXPECT_FALSE(type->IsRegistered());
    EXPECT_FALSE(_RegisteredFileTypeFilter("text/plain"));
    EXPECT_EQ(type->ToString(), "text/plain");
    EXPECT_EQ(type->ToString(), "text/plain");
    EXPECT_TRUE(type->IsRegistered());
    EXPECT_EQ(type->RegistrationCount(), 1);
    EXPECT_EQ(_RegisteredFileTypeFilter("text/plain"), "Text files (*.text *.txt)");
    EXPECT_EQ(type->MimeType(), "");
    EXPECT_EQ(type->UTI(), "public.text");

    type.reset();
    EXPECT_FALSE(_RegisteredFileTypeFilter("text/plain"));
}

TEST(FileType, SettingAnyPropertyEndsTheRegistration)
{
    const std::vector<std::function<void(FileType&)>> setters = {
        [](FileType& t) { t.SetName("text/plain"); },
        [](FileType& t) { t.SetExtensions(".txt"); },
        [](FileType& t) { t.SetMacType("TEXT"); },
        [](FileType& t) { t.SetMacCreator("????"); },
        [](FileType& t) { t.SetMimeType(""); },
        [](FileType& t) { t.SetImported(false); },
        [](FileType& t) { t.SetConformsTo("public.data"); },
        [](FileType& t) { t.SetUTI("public.text"); },
    };
    for (std::size_t i = 0; i < setters.size(); ++i) {
        SCOPED_TRACE(i);
        auto type = TextType();
        type->ToString();
        setters[i](*type);
        EXPECT_FALSE(type->IsRegistered());
        EXPECT_FALSE(_RegisteredFileTypeFilter("text/plain"));
        EXPECT_EQ(type->ToString(), "text/plain");
        EXPECT_EQ(type->RegistrationCount(), 2);
    }
}

TEST(FileType, RenamingMovesTheRegistrationToTheNewName)
{
    auto type = TextType();
    type->ToString();
    type->SetName("text/markdown");
    type->ToString();
    EXPECT_FALSE(_RegisteredFileTypeFilter("text/plain"));
    EXPECT_EQ(_RegisteredFileTypeFilter("text/markdown"), "Text files (*.text *.txt)");
}

TEST(FileType, LaterTypeOfTheSameNameTakesOverAndOutlivesTheFirst)
{
    auto first = TextType();
    first->ToString();
    auto second = TextType();
    second->SetExtensions(".log");
    second->ToString();
    EXPECT_FALSE(first->IsRegistered());
    first.reset();
    EXPECT_TRUE(second->IsRegistered());
    EXPECT_EQ(_RegisteredFileTypeFilter("text/plain"), "Text files (*.log)");
}

TEST(FileType, FilterListsEachExtension)
{
    const struct {
        const char* name;
        const char* extensions;
        const char* filter;
    } cases[] = {
        {"text/plain", ".text;.txt", "Text files (*.text *.txt)"},
        {"text/plain", " txt ; .md;", "Text files (*.txt *.md)"},
        {"image/png", "", "Image files (*)"},
        {"notes", ".note", "Notes files (*.note)"},
    };
    for (const auto& c : cases) {
        FileType type;
        type.SetName(c.name);
        type.SetExtensions(c.extensions);
        type.ToString();
        EXPECT_EQ(_RegisteredFileTypeFilter(c.name), c.filter);
    }
}
