#include "MenuHandlers.h"

#include "Runtime.h"

void MenuHandlers::Run(const std::string& itemName) const
{
    auto found = handlers_.find(itemName);
    if (found != handlers_.end())
        CallProgram([&handler = found->second] { handler(); });
}
