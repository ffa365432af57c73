#include "FrmInfo.h"

#include "Controls.h"
#include "FrmDatiAnagrafici.h"
#include "ScreenManager.h"

#include <QLabel>
#include <QPushButton>

FrmInfo::FrmInfo(ScreenContext& context) : Screen(context.screens) {
    setObjectName(QStringLiteral("FrmInfo"));
    setWindowTitle(QStringLiteral("Informazioni"));
    setInnerSizeTwips(4530, 2715);

    Controls::paragraph(this, "Label1",
                        QStringLiteral("Applicazione per la stesura dell'elenco delle famiglie "
                                       "aventi diritto all'assegnazione delle Sovvenzia a "
                                       "sostegno delle spese sostenute per l'istruzione dei "
                                       "propri figli"),
                        {120, 240, 4335, 735});
    Controls::label(this, "LabelCrediti1", QStringLiteral("Sovvenzia, versione 1.0"),
                    {120, 1140, 4335, 255});
    Controls::label(this, "LabelCrediti2",
                    QStringLiteral("Ufficio Pubblica Istruzione - Servizio contributi allo "
                                   "studio"),
                    {120, 1440, 4335, 255});

    QPushButton* cmdOk =
        Controls::button(this, "cmdOk", QStringLiteral("Ok"), {2880, 2040, 1095, 375});
    connect(cmdOk, &QPushButton::clicked, this, &FrmInfo::cmdOk_Click);
    setDefaultButton(cmdOk);
    cmdOk->setFocus();
}

void FrmInfo::cmdOk_Click() {
    screens().unload(*this);
    screens().show<FrmDatiAnagrafici>();
}

void FrmInfo::closeRequested() {
    cmdOk_Click();
}
