#include "DomandaDiProva.h"
#include "FileDiProva.h"
#include "ItalianTranslations.h"
#include "Program.h"
#include "QtDialogs.h"
#include "wizard/FrmDatiAnagrafici.h"
#include "wizard/FrmIntestazione.h"
#include "wizard/FrmPresentazione.h"
#include "wizard/FrmScelta.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// What the operator saw of a dialog.
struct Visto {
    QString titolo, testo;
    QStringList pulsanti;  // message box: captions, the default starred; file dialog: filter
    QString predefinito;   // input box: its text
    QMessageBox::Icon icona = QMessageBox::NoIcon;
    Qt::TextFormat formato = Qt::AutoText;
    QPoint posto;  // input box: where it stands
};

QString caption(const QAbstractButton* button) {
    return button == nullptr ? QString() : button->text().remove(u'&');
}

// Runs `act` on the next modal dialog once it is shown; fails the test when
// none comes.
void sulDialogo(const std::function<void(QWidget*)>& act, int tentativi = 200) {
    QTimer::singleShot(10, qApp, [act, tentativi] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            act(dialog);
            dialog->close();  // a dialog of another kind than expected
        } else if (tentativi > 0) {
            sulDialogo(act, tentativi - 1);
        } else {
            QTest::qFail("no dialog was shown", __FILE__, __LINE__);
        }
    });
}

// Closes the next message box with the button captioned `premi`, or with
// Escape when there is none.
void sulMessaggio(Visto& visto, const QString& premi = QStringLiteral("OK")) {
    sulDialogo([&visto, premi](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            visto = {box->windowTitle(), box->text(), {}, {}, box->icon(), box->textFormat(), {}};
            QAbstractButton* scelto = nullptr;
            for (QAbstractButton* button : box->buttons()) {
                visto.pulsanti << (button == box->defaultButton() ? "*" : "") + caption(button);
                scelto = caption(button) == premi ? button : scelto;
            }
            visto.pulsanti.sort();
            scelto != nullptr ? scelto->click() : QTest::keyClick(box, Qt::Key_Escape);
        }
    });
}

// Types `nome` into the next file dialog and presses Enter, after `prima`
// when given, or cancels it when `nome` is empty.
void sulFile(Visto& visto, const QString& nome, const std::function<void()>& prima = {}) {
    sulDialogo([&visto, nome, prima](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (auto* files = qobject_cast<QFileDialog*>(dialog); files != nullptr && edit != nullptr) {
            visto.titolo = files->acceptMode() == QFileDialog::AcceptSave ? "Save" : "Open";
            visto.testo = edit->text();
            visto.pulsanti = {files->findChild<QComboBox*>("fileTypeCombo")->currentText()};
            edit->setText(nome);
            if (prima) {
                prima();
            }
            nome.isEmpty() ? files->reject() : QTest::keyClick(edit, Qt::Key_Return);
        }
    });
}

}  // namespace

// The dialogs of the running program, shown for real and closed as the
// operator would, and the program driven through them.
class TestRealDialogs : public QObject {
    Q_OBJECT

    const QString titolo = QStringLiteral("Programma");
    QtDialogs dialogs{titolo};
    QTemporaryDir folder;

private slots:
    void initTestCase() { QVERIFY(installItalianTranslations(*qApp)); }

    void message_boxes_show_their_buttons_icon_and_title_and_escape_answers_safely() {
        using B = MessageButtons;
        using I = MessageIcon;
        using Q = QMessageBox;
        using A = MessageAnswer;
        const char* const tre = "*Sì Annulla No";
        // The request, the button pressed (none: Escape), the buttons shown
        // with the default one starred, the icon shown and the answer.
        const std::tuple<MessageBoxRequest, const char*, const char*, Q::Icon, A> casi[] = {
            {{"<b>1</b>", B::Ok, I::Information}, "OK", "*OK", Q::Information, A::Ok},
            {{"2", B::Ok, I::Exclamation}, "", "*OK", Q::Warning, A::Ok},
            {{"3", B::YesNo, I::None, true}, "", "*No Sì", Q::NoIcon, A::No},
            {{"4", B::YesNoCancel, I::Question}, "No", tre, Q::Question, A::No},
            {{"5", B::YesNoCancel, I::Critical, false, "T"}, "", tre, Q::Critical, A::Cancel},
        };
        for (const auto& [richiesta, premi, pulsanti, icona, risposta] : casi) {
            Visto visto;
            sulMessaggio(visto, premi);
            QCOMPARE(dialogs.messageBox(richiesta), risposta);
            QCOMPARE(visto.titolo, richiesta.title.isEmpty() ? titolo : richiesta.title);
            QCOMPARE(visto.testo, richiesta.prompt);  // "<b>" shown as typed
            QCOMPARE(visto.formato, Qt::PlainText);
            QCOMPARE(visto.icona, icona);
            QCOMPARE(visto.pulsanti.join(u' '), pulsanti);
        }
    }

    // A document's Save dialog adds its extension to a name typed without
    // one, and asks before replacing a file, No being the default answer.
    void a_document_replaces_a_file_only_after_the_usual_question() {
        QVERIFY(ScriviFile(folder.filePath(QStringLiteral("stampa.pdf")), "%PDF-1.4"));
        Visto visto, domanda;
        sulFile(visto, QStringLiteral("stampa"), [&domanda] { sulMessaggio(domanda, "No"); });
        QCOMPARE(dialogs.fileDialog({FileDialogMode::Save, "Documento PDF (*.pdf) | *.pdf",
                                     folder.filePath("Roma.pdf"), "pdf", true}),
                 std::nullopt);
        QCOMPARE(domanda.pulsanti.join(u' '), QStringLiteral("*No Sì"));
    }

    // A new list through the real Save dialog; on the entry screen a failed
    // check's message box moves the focus while the window is inactive, and
    // the box that was left still does its work; then the list is continued
    // through the real Open dialog and input box.
    void a_list_made_and_continued_with_real_dialogs_and_boxes_left_behind_a_message() {
        Module1 stato;
        FileElenco elenchi;
        Program program(dialogs, stato, elenchi);
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
        Visto visto;
        sulFile(visto, file);
        QTest::mouseClick(intestazione.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
        QCOMPARE(visto.testo, QStringLiteral("Roma_Primaria_00-00"));
        QCOMPARE(visto.pulsanti, QStringList{"(*.svz)"});  // the only files listed
        QTest::mouseClick(intestazione.findChild<QPushButton*>("cmdAvanti"), Qt::LeftButton);

        auto* entry = screens.find<FrmDatiAnagrafici>();
        QVERIFY(entry != nullptr);
        const auto box = [entry](const char* nome) { return entry->findChild<QLineEdit*>(nome); };
        // The requester's box left, what is typed into it, the student's box
        // that receives it, Ctrl+S rather than Enter; the student's surname is
        // missing, so the check moves the focus there.
        const QList<std::tuple<const char*, QString, Campo, bool>> casi = {
            {"TxtComRich", "Tivoli", Campo::ComStud, false},
            {"TxtNumRich", "7", Campo::NumStud, true},
        };
        for (const auto& [lasciata, testo, ricevente, salvaModulo] : casi) {
            ModuloDomanda modulo = ModuloCompleto();
            modulo[Campo::CognStud].clear();
            modulo[ricevente] = QString();
            entry->ScriviModulo(modulo);
            QApplication::setActiveWindow(entry);
            QVERIFY(QTest::qWaitForWindowActive(entry));
            box(lasciata)->selectAll();
            box(lasciata)->setFocus();
            QTest::keyClicks(box(lasciata), testo);
            sulMessaggio(visto);
            QTest::keyClick(box(lasciata), salvaModulo ? Qt::Key_S : Qt::Key_Return,
                            salvaModulo ? Qt::ControlModifier : Qt::NoModifier);
            QCOMPARE(visto.testo, QStringLiteral("ATTENZIONE!\n Cognome Studente non valido"));
            QCOMPARE(entry->focusWidget(), box("TxtCognStud"));
            QCOMPARE(entry->LeggiModulo()[ricevente], testo);
        }
        entry->ScriviModulo(ModuloCompleto());
        QTest::keyClick(box("TxtIsee"), Qt::Key_Return);
        QCOMPARE(QFile(file).size(), 418);
        QTest::mouseClick(entry->findChild<QPushButton*>("CmdIndietro"), Qt::LeftButton);

        auto* optApri = scelta.findChild<QRadioButton*>("OptApri");
        sulFile(visto, file);
        QTest::mouseClick(optApri, Qt::LeftButton);
        QCOMPARE(visto.titolo, QStringLiteral("Open"));
        sulDialogo([&visto](QWidget* dialog) {  // the school year's box, cancelled
            if (auto* input = qobject_cast<QInputDialog*>(dialog)) {
                visto = {input->windowTitle(), input->labelText(), {}, input->textValue(), {}, {},
                         input->pos()};
                input->setTextValue(QStringLiteral("05-06"));
                input->reject();
            }
        });
        QTest::mouseClick(scelta.findChild<QPushButton*>("cmdAvanti"), Qt::LeftButton);
        QCOMPARE(visto.titolo, QStringLiteral("Gestione Sovvenzia"));
        QCOMPARE(visto.testo, QStringLiteral("Sovvenzia per l'anno scolastico:"));
        QCOMPARE(visto.predefinito, QString());
        // At 2000 twips from the screen's corner, in the unit of the screens'
        // places: Avanti stands 3240 twips from the choice screen's left.
        const double twip = scelta.findChild<QPushButton*>("cmdAvanti")->x() / 3240.0;
        QVERIFY(qAbs(visto.posto.x() - 2000 * twip) <= 1 && visto.posto.x() == visto.posto.y());

        // The list is continued: the year cancelled, the next application
        // lands after the first.
        auto* ripresa = screens.find<FrmDatiAnagrafici>();
        QVERIFY(ripresa != nullptr && ripresa->isVisible());
        QCOMPARE(ripresa->findChild<QLabel*>("Label30")->text(), QString());
        ripresa->ScriviModulo(ModuloCompleto(1));
        QTest::keyClick(ripresa->findChild<QLineEdit*>("TxtIsee"), Qt::Key_Return);
        QCOMPARE(QFile(file).size(), 2 * 418);
    }
};

QTEST_MAIN(TestRealDialogs)
#include "test_real_dialogs.moc"
