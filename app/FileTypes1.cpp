#include "app/FileTypes1.h"

namespace FileTypes1 {
namespace {
std::shared_ptr<FileType> pText;
}

std::shared_ptr<FileType> Text()
{
    return pText;
}

void _Initialize()
{
    pText = std::make_shared<FileType>();
    pText->SetName("text/plain");
    pText->SetExtensions(".text;.txt");
    pText->SetMacType("TEXT");
    pText->SetMacCreator("????");
    pText->SetMimeType("");
    pText->SetImported(true);
    pText->SetConformsTo("");
    pText->SetUTI("public.text");
    pText->ToString();
}

void _Finalize()
{
    pText.reset();
}
}
