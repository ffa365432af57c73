#include "../core/ModuloDiProva.h"
#include "CommonDialog.h"
#include "ItalianTranslations.h"
#include "Program.h"
#include "QtDialogs.h"
#include "Twips.h"
#include "wizard/FrmDatiAnagrafici.h"
#include "wizard/FrmIntestazione.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// What the operator saw of a dialog: its title, text, and for a message box
// the icon, the button captions and the default one.
struct Visto {
    QString titolo, testo;
    QMessageBox::Icon icona = QMessageBox::NoIcon;
    QStringList pulsanti;
    QString predefinito;
    Qt::TextFormat formato = Qt::AutoText;
};

QString caption(const QAbstractButton* button) {
    return button == nullptr ? QString() : button->text().remove(u'&');
}

// Runs `act` on the next modal dialog once it is shown; closes it, and fails
// the test, when none comes.
void sulDialogo(const std::function<void(QWidget*)>& act, int tentativi = 200) {
    QTimer::singleShot(10, qApp, [act, tentativi] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            act(dialog);
        } else if (tentativi > 0) {
            sulDialogo(act, tentativi - 1);
        } else {
            QTest::qFail("no dialog was shown", __FILE__, __LINE__);
        }
    });
}

// Looks at the next message box and closes it with `premi` (a caption) or,
// when empty, with Escape.
void sulMessaggio(Visto& visto, const QString& premi = QStringLiteral("OK")) {
    sulDialogo([&visto, premi](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box == nullptr) {
            dialog->close();
            return;
        }
        visto = {box->windowTitle(), box->text(), box->icon(), {}, caption(box->defaultButton()),
                 box->textFormat()};
        QAbstractButton* scelto = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            visto.pulsanti << caption(button);
            scelto = caption(button) == premi ? button : scelto;
        }
        scelto != nullptr ? scelto->click() : QTest::keyClick(box, Qt::Key_Escape);
    });
}

// Types `nome` into the next file dialog and accepts it, or cancels it when
// `nome` is empty; `visto` gets its filters and proposed name.
void sulFile(Visto& visto, const QString& nome) {
    sulDialogo([&visto, nome](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (files == nullptr || edit == nullptr) {
            dialog->close();
            return;
        }
        visto.titolo = files->acceptMode() == QFileDialog::AcceptSave ? "Save" : "Open";
        visto.testo = edit->text();
        visto.pulsanti = {dialog->findChild<QComboBox*>("fileTypeCombo")->currentText()};
        edit->setText(nome);
        nome.isEmpty() ? files->reject() : QTest::keyClick(edit, Qt::Key_Return);
    });
}

}  // namespace

// The dialogs of the running program, shown for real and closed as the
// operator would, and the program driven through them.
class TestRealDialogs : public QObject {
    Q_OBJECT

    QtDialogs dialogs;
    QTemporaryDir folder;

private slots:
    void initTestCase() { QVERIFY(installItalianTranslations(*qApp)); }

    void message_boxes_show_their_buttons_icon_and_title_and_escape_answers_safely() {
        const QList<std::tuple<MessageBoxRequest, QString, QMessageBox::Icon, QString, QString,
                               MessageAnswer>>
            casi = {
                // request, pressed, icon, buttons, default, answer
                {{"<b>1</b>", MessageButtons::Ok, MessageIcon::Information},
                 "OK",
                 QMessageBox::Information,
                 "OK",
                 "OK",
                 MessageAnswer::Ok},
                {{"2", MessageButtons::Ok, MessageIcon::Exclamation},
                 "",
                 QMessageBox::Warning,
                 "OK",
                 "OK",
                 MessageAnswer::Ok},
                {{"3", MessageButtons::YesNo, MessageIcon::None, true},
                 "",
                 QMessageBox::NoIcon,
                 "No Sì",
                 "No",
                 MessageAnswer::No},
                {{"4", MessageButtons::YesNoCancel, MessageIcon::Question},
                 "No",
                 QMessageBox::Question,
                 "Annulla No Sì",
                 "Sì",
                 MessageAnswer::No},
                {{"5", MessageButtons::YesNoCancel, MessageIcon::Critical, false, "Titolo"},
                 "",
                 QMessageBox::Critical,
                 "Annulla No Sì",
                 "Sì",
                 MessageAnswer::Cancel},
            };
        for (const auto& [richiesta, premi, icona, pulsanti, predefinito, risposta] : casi) {
            Visto visto;
            sulMessaggio(visto, premi);
            QCOMPARE(dialogs.messageBox(richiesta), risposta);
            QCOMPARE(visto.titolo, richiesta.title.isEmpty() ? "Sovvenzia" : richiesta.title);
            QCOMPARE(visto.testo, richiesta.prompt);
            QCOMPARE(visto.icona, icona);
            visto.pulsanti.sort();
            QCOMPARE(visto.pulsanti.join(u' '), pulsanti);
            QCOMPARE(visto.predefinito, predefinito);
            QCOMPARE(visto.formato, Qt::PlainText);  // "<b>" is shown as typed
        }
    }

    void the_input_box_stands_where_asked_and_a_cancel_gives_an_empty_text() {
        for (const bool annulla : {false, true}) {
            const InputBoxRequest richiesta(QStringLiteral("Anno:"), annulla ? "" : "Gestione",
                                            QStringLiteral("05-06"), {2000, 1000});
            Visto visto;
            QPoint posto;
            sulDialogo([&](QWidget* dialog) {
                auto* input = qobject_cast<QInputDialog*>(dialog);
                if (input == nullptr) {
                    dialog->close();
                    return;
                }
                visto = {input->windowTitle(), input->labelText(), {}, {input->textValue()}, {}};
                posto = input->pos();
                input->setTextValue(QStringLiteral("2005/2006"));
                annulla ? input->reject() : input->accept();
            });
            QCOMPARE(dialogs.inputBox(richiesta), annulla ? "" : "2005/2006");
            QCOMPARE(visto.titolo, annulla ? "Sovvenzia" : "Gestione");
            QCOMPARE(visto.testo, QStringLiteral("Anno:"));
            QCOMPARE(visto.pulsanti, QStringList{"05-06"});
            QCOMPARE(posto, Twips::toPixels(QPoint(2000, 1000)));
        }
    }

    void the_file_dialogs_filter_list_files_and_a_cancel_chooses_nothing() {
        const QString proposto = folder.filePath(QStringLiteral("Roma_Primaria_05-06"));
        for (const auto& [modo, nome, risultato] :
             {std::tuple{FileDialogMode::Save, proposto, std::optional(proposto)},
              std::tuple{FileDialogMode::Open, QString(), std::optional<QString>()}}) {
            Visto visto;
            sulFile(visto, nome);
            QCOMPARE(dialogs.fileDialog({modo, kFiltroElenchi, proposto}), risultato);
            QCOMPARE(visto.titolo, modo == FileDialogMode::Save ? "Save" : "Open");
            QCOMPARE(visto.testo, QStringLiteral("Roma_Primaria_05-06"));
            QCOMPARE(visto.pulsanti, QStringList{"(*.svz)"});
        }
        QVERIFY(!QFile::exists(proposto));  // chosen, not created
    }

    // A new list through the real Save dialog; on the entry screen a failed
    // check's message box moves the focus while the window is inactive, and
    // the box that was left still does its work; then the list is continued
    // through the real Open dialog and input box.
    void a_list_made_and_continued_with_real_dialogs_and_boxes_left_behind_a_message() {
        Program program(dialogs);
        ScreenManager& screens = program.screens();
        program.start();
        QTest::keyClick(&screens.get<FrmPresentazione>(), Qt::Key_Return);
        auto& scelta = screens.get<FrmScelta>();
        QTest::mouseClick(scelta.findChild<QRadioButton*>("OptNuovo"), Qt::LeftButton);
        auto& intestazione = screens.get<FrmIntestazione>();
        QTest::keyClicks(intestazione.findChild<QLineEdit*>("txtIntestComune"), "Roma");
        for (const char* lista : {"cmbScuola", "Cmb1", "Cmb2", "Cmb3", "Cmb4"}) {
            intestazione.findChild<QComboBox*>(lista)->setCurrentIndex(0);
        }
        const QString file = folder.filePath(QStringLiteral("Roma.svz"));
        Visto salva;
        sulFile(salva, file);
        QTest::mouseClick(intestazione.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
        QCOMPARE(salva.testo, QStringLiteral("Roma_Primaria_00-00"));
        QTest::mouseClick(intestazione.findChild<QPushButton*>("cmdAvanti"), Qt::LeftButton);

        auto* entry = screens.find<FrmDatiAnagrafici>();
        QVERIFY(entry != nullptr);
        const auto box = [entry](const char* nome) { return entry->findChild<QLineEdit*>(nome); };
        // The requester's box left, what is typed into it, the student's box
        // that receives it, Ctrl+S rather than Enter; the student's surname is
        // missing, so the check moves the focus there.
        const QList<std::tuple<const char*, QString, QString ModuloDomanda::*, bool>> casi = {
            {"TxtComRich", "Tivoli", &ModuloDomanda::ComStud, false},
            {"TxtCapRich", "00019", &ModuloDomanda::CapStud, true},
            {"TxtViaRich", "Via Po", &ModuloDomanda::ViaStud, false},
            {"TxtNumRich", "7", &ModuloDomanda::NumStud, true},
        };
        for (const auto& [lasciata, testo, ricevente, salvaModulo] : casi) {
            ModuloDomanda modulo = ModuloCompleto();
            modulo.CognStud.clear();
            modulo.*ricevente = QString();
            entry->ScriviModulo(modulo);
            QApplication::setActiveWindow(entry);
            QVERIFY(QTest::qWaitForWindowActive(entry));
            box(lasciata)->selectAll();
            box(lasciata)->setFocus();
            QTest::keyClicks(box(lasciata), testo);
            Visto visto;
            sulMessaggio(visto);
            QTest::keyClick(box(lasciata), salvaModulo ? Qt::Key_S : Qt::Key_Return,
                            salvaModulo ? Qt::ControlModifier : Qt::NoModifier);
            QCOMPARE(visto.testo, QStringLiteral("ATTENZIONE!\n Cognome Studente non valido"));
            QCOMPARE(entry->focusWidget(), box("TxtCognStud"));
            QCOMPARE(entry->LeggiModulo().*ricevente, testo);
        }
        // Leaving ISEE that way lets a point into the expenses again.
        box("TxtSpese")->setText(QString());
        QTest::keyClicks(box("TxtSpese"), "5,");
        box("TxtIsee")->setFocus();
        Visto visto;
        sulMessaggio(visto);
        QTest::keyClick(box("TxtIsee"), Qt::Key_Return);
        box("TxtSpese")->setText(QStringLiteral("5"));
        QTest::keyClicks(box("TxtSpese"), ",5");
        QCOMPARE(box("TxtSpese")->text(), QStringLiteral("5.5"));

        entry->ScriviModulo(ModuloCompleto());
        QTest::keyClick(box("TxtIsee"), Qt::Key_Return);
        QCOMPARE(QFile(file).size(), 418);
        QTest::mouseClick(entry->findChild<QPushButton*>("CmdIndietro"), Qt::LeftButton);

        Visto apri;
        sulFile(apri, file);
        QTest::mouseClick(scelta.findChild<QRadioButton*>("OptApri"), Qt::LeftButton);
        QCOMPARE(apri.titolo, QStringLiteral("Open"));
        sulDialogo([](QWidget* dialog) {
            if (auto* input = qobject_cast<QInputDialog*>(dialog)) {
                input->setTextValue(QStringLiteral("05-06"));
                input->accept();
            }
            dialog->close();
        });
        QTest::mouseClick(scelta.findChild<QPushButton*>("cmdAvanti"), Qt::LeftButton);
        QCOMPARE(program.stato().sIntestazione, QStringLiteral("05-06"));
        QCOMPARE(program.stato().sFileElenco, file);
        QCOMPARE(program.stato().nProssimoRecord, std::int16_t(2));
    }
};

QTEST_MAIN(TestRealDialogs)
#include "test_real_dialogs.moc"
