#pragma once

#include "framework/BevelButton.h"
#include "framework/Canvas.h"
#include "framework/Label.h"
#include "framework/Window.h"

// The About window: the picture, the name, the version, a few words and a Close button.
class aboutWin : public Window {
public:
    static constexpr const char* kClassName = "aboutWin.aboutWin";
    std::string ClassName() const override { return kClassName; }

    ::Label& Label1();
    ::BevelButton& BevelButton1();
    ::Label& Label2();
    ::Label& Label3();
    ::Label& Label4();
    ::Canvas& Canvas1();

    void BevelButton1_Action(::BevelButton& button);

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void _CreateControls0();
};

namespace instance {
// The open About window, or a new one.
::aboutWin& aboutWin();
}
