#include "FrmPresentazione.h"

#include "Controls.h"
#include "FrmScelta.h"
#include "IntroImage.h"
#include "ScreenManager.h"
#include "Twips.h"

#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

QLabel* fixedPitchLine(QWidget* frame, const char* name, const QString& text, int top) {
    QLabel* line = Controls::label(frame, name, text, {120, top, 8415, 240});
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(9);
    line->setFont(font);
    return line;
}

}  // namespace

FrmPresentazione::FrmPresentazione(ScreenContext& context) : Screen(context.screens) {
    setObjectName(QStringLiteral("FrmPresentazione"));
    setWindowTitle(QStringLiteral("Sovvenzia"));
    setInnerSizeTwips(8790, 8115);

    Picture2 = Controls::label(this, "Picture2", QString(), {0, 0, 8775, 5295});
    Picture2->setPixmap(introImage(Picture2->size()));

    QGroupBox* frame = Controls::frame(this, "Frame1", QString(), {120, 5400, 8655, 1095});
    fixedPitchLine(frame, "Label7",
                   QStringLiteral("Procedura guidata per la redazione dell'elenco delle "
                                  "famiglie aventi"),
                   240);
    fixedPitchLine(frame, "Label3",
                   QStringLiteral("diritto all'assegnazione delle Sovvenzia a sostegno delle "
                                  "spese "),
                   480);
    fixedPitchLine(frame, "Label8", QStringLiteral("sostenute per l'istruzione dei propri figli."),
                   720);

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(Twips::rect({120, 7200, 8535, 30}));

    Controls::label(this, "LabelCrediti1",
                    QStringLiteral("Ufficio Pubblica Istruzione - Servizio contributi allo "
                                   "studio"),
                    {240, 7320, 6000, 255});
    Controls::label(this, "LabelCrediti2", QStringLiteral("Sovvenzia, versione 1.0"),
                    {240, 7620, 6000, 255});

    QPushButton* avanti = Controls::button(this, "Command1", QStringLiteral("&Avanti     >"),
                                           {7320, 6600, 1215, 375});
    QPushButton* esci =
        Controls::button(this, "Command3", QStringLiteral("&Esci"), {240, 6600, 1095, 375});
    connect(avanti, &QPushButton::clicked, this, &FrmPresentazione::Command1_Click);
    connect(esci, &QPushButton::clicked, this, &FrmPresentazione::Command3_Click);
    setDefaultButton(avanti);
    chainTabOrder({avanti, esci});
    avanti->setFocus();
}

void FrmPresentazione::giveWay(QSize room) {
    const QSize band = Picture2->size();
    const int shrink = std::min(height() - room.height(), band.height() / 2);
    if (shrink <= 0) {
        return;
    }
    const QSize picture = band.scaled(band.width(), band.height() - shrink, Qt::KeepAspectRatio);
    Picture2->setGeometry((band.width() - picture.width()) / 2, 0, picture.width(),
                          picture.height());
    Picture2->setPixmap(introImage(picture));
    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control != Picture2) {
            control->move(control->pos() - QPoint(0, shrink));
        }
    }
    setFixedSize(width(), height() - shrink);
}

void FrmPresentazione::Command1_Click() {
    screens().hide(*this);
    screens().show<FrmScelta>();
}

void FrmPresentazione::Command3_Click() {
    screens().endProgram();
}

void FrmPresentazione::closeRequested() {
    Command3_Click();
}
