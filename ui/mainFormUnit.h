#pragma once

#include "applicationTitles.h"
#include "messageBoxes.h"

#include <QWidget>

class OpenFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;

// The program's only window: three fields, two chooser buttons, the
// conversion button and the about button.
class TmainForm : public QWidget {
    Q_OBJECT

public:
    explicit TmainForm(const ApplicationTitles& titles, QWidget* parent = nullptr);

    // The layout's reference: positions and sizes are drawn for this text height.
    static constexpr int designTextHeight = 13;
    static constexpr QSize designClientSize {590, 199};

    double scale() const { return scale_; }

    void B_selFicSourceClick();
    void B_selRepDestClick();
    void B_transformerClick();
    void Button1Click();

private:
    void layOut();
    // Runs a click handler; an error escaping it ends up in the error box, here and only here.
    void connectClick(QPushButton* button, void (TmainForm::*handler)());

    ApplicationTitles titles_;
    MessageBoxSink messageSink_;
    double scale_ = 1.0;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Image1;
    QLabel* Label4;
    QLineEdit* fichierSource;
    QPushButton* B_selFicSource;
    QLineEdit* repDestPDB;
    QPushButton* B_selRepDestPDB;
    QLineEdit* StoryName;
    QPushButton* B_transformer;
    QPushButton* Button1;
    OpenFileDialog* OpenDialog1;
};

inline constexpr const char* aboutText =
    "Programme de conversion de fichier texte vers pdb - développé par Vexlo Tools - https://www.vexlo.example";
