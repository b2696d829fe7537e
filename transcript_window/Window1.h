#pragma once

#include "framework/Canvas.h"
#include "framework/CheckBox.h"
#include "framework/Label.h"
#include "framework/Line.h"
#include "framework/Listbox.h"
#include "framework/MenuItem.h"
#include "framework/PushButton.h"
#include "framework/TextArea.h"
#include "framework/TextField.h"
#include "framework/Window.h"

// The main window: the address field, the language list, the options and the download.
class Window1 : public Window {
public:
    static constexpr const char* kClassName = "Window1.Window1";
    std::string ClassName() const override { return kClassName; }

    // The controls, in the order they are made; each is found by its name.
    ::PushButton& PushButton1();
    ::Label& Label1();
    ::Label& Label2();
    ::TextField& TextField1();
    ::PushButton& PushButton2();
    ::Listbox& XMLList();
    ::TextArea& TextArea1();
    ::Listbox& Listbox1();
    ::CheckBox& paragraphBox();
    ::Label& Label3();
    ::CheckBox& lineBox();
    ::Line& Line1();
    ::Line& Line2();
    ::CheckBox& plainTextBox();
    ::Label& Label4();
    ::CheckBox& PDFbox();
    ::Label& Label6();
    ::CheckBox& timecodeBox();
    ::Canvas& Canvas1();
    ::CheckBox& openBox();
    ::Line& Line3();

    // Handlers of the controls' events.
    void PushButton1_Action(::PushButton& button);
    void PushButton2_Action(::PushButton& button);
    void paragraphBox_Action(::CheckBox& box);
    void lineBox_Action(::CheckBox& box);
    void plainTextBox_Action(::CheckBox& box);
    void PDFbox_Action(::CheckBox& box);
    bool Canvas1_MouseDown(::Canvas& canvas, int x, int y);

    // The items of the window's menu bar, each found by its name anywhere in the bar (nullptr when
    // the bar has none of that name); NilObjectException when the window has no menu bar.
    MenuItem* EditMenu() const;
    MenuItem* EditSelectAll() const;
    MenuItem* EditSeparator2() const;
    MenuItem* EditClear() const;
    MenuItem* EditPaste() const;
    MenuItem* EditCopy() const;
    MenuItem* EditCut() const;
    MenuItem* EditSeparator1() const;
    MenuItem* EditUndo() const;
    MenuItem* FileMenu() const;
    MenuItem* FileHelp() const;
    MenuItem* FileAboutQuorvane() const;
    MenuItem* FileNewWindow() const;

    // Menu handlers; each gives false, leaving nothing handled.
    bool _FileAboutQuorvane_Action();
    bool _FileNewWindow_Action();
    bool _FileHelp_Action();

    // Fetches, converts and saves the transcript of one row of the language list.
    void getTranscriptions(int row);

protected:
    void Layout() override;
    void CreateControls() override;
    void AddMenuHandlers() override;
    // The connectivity check.
    void Event_Open() override;

private:
    void _CreateControls0();
    MenuItem* MenuItemNamed(std::string_view name) const;
};

namespace instance {
// The open main window, or a new one, built hidden.
::Window1& Window1();
}
