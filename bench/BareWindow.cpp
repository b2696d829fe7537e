// A Qt window of the main window's size and nothing else: what any program on this toolkit
// pays before its first window is shown.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare Window");
    window.resize(550, 411);
    window.show();
    return QApplication::exec();
}
