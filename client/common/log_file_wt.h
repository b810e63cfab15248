// Where the diagnostic log is written, with a button that opens its folder: the about box shows
// it, so a user asked by support for the log finds the file.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

class log_file_wt : public QWidget {
    Q_OBJECT
public:
    explicit log_file_wt(QWidget *parent = nullptr);

    QLabel *path_label() const { return path_; }
    QPushButton *open_button() const { return open_; }

    // Hands the folder of the log file to the desktop's file manager (through the modal seam);
    // says so in a box when that fails. False when there is no file or the opening failed.
    bool open_folder();

    // "explorer" on Windows, "xdg-open" elsewhere.
    static QString folder_opener();

private:
    QLabel *path_;
    QPushButton *open_;
};
