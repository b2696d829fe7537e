#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <QTimer>

#include <vector>

// The user's home folder, and so the save dialog's folder, is the given one while this lives.
class HomeFolder {
public:
    explicit HomeFolder(const QString& path) : home_(qgetenv("HOME")), config_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", path.toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (path + "/.config").toLocal8Bit());
    }
    ~HomeFolder()
    {
        qputenv("HOME", home_);
        qputenv("XDG_CONFIG_HOME", config_);
    }
    HomeFolder(const HomeFolder&) = delete;
    HomeFolder& operator=(const HomeFolder&) = delete;

private:
    QByteArray home_;
    QByteArray config_;
};

// A user in front of the real save dialog: each of the next dialogs that opens is read and its
// Save button pressed. One that stays open on Save (it went into a folder, refused the name or
// asked before replacing a file, which is answered No) is cancelled, so that no test waits on it.
class SaveDialogUser {
public:
    struct Seen {
        QString folder;
        QString fileName;
        bool closedOnSave = false;
    };

    explicit SaveDialogUser(int dialogs) : left_(dialogs)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { PressSaveOnce(); });
        timer_.start(10);
    }

    // What each dialog showed when Save was pressed, in order.
    const std::vector<Seen>& Dialogs() const { return seen_; }

private:
    void PressSaveOnce()
    {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen_.push_back({dialog->directory().path(), dialog->findChild<QLineEdit*>("fileNameEdit")->text()});
        QTimer::singleShot(0, [] {
            if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                question->reject();
        });
        SaveButton(*dialog)->click();
        seen_.back().closedOnSave = !dialog->isVisible();
        if (dialog->isVisible())
            dialog->reject();
        if (--left_ == 0)
            timer_.stop();
    }

    static QAbstractButton* SaveButton(QFileDialog& dialog)
    {
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        for (QAbstractButton* button : buttons->buttons())
            if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                return button;
        return nullptr;
    }

    int left_;
    QTimer timer_;
    std::vector<Seen> seen_;
};
