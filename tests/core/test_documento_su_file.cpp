// A PDF never goes over a list. How a document is written is seen in the
// printout's tests and in the fault sweep.

#include "DocumentoSuFile.h"
#include "FileElencoFixture.h"

namespace {

class DocumentoTest : public FileElencoTest {};

TEST_F(DocumentoTest, APdfGoesOnlyOverAnEarlierPdfNeverOverAList) {
    ASSERT_TRUE(ScriviFile(path("Roma"), RecordCompleti(1)));
    ASSERT_TRUE(ScriviFile(path("vecchia.pdf"), "%PDF-1.4 stampa di ieri"));
    ASSERT_TRUE(ScriviFile(path("Milano.pdf"), RecordCompleti(2)));
    ASSERT_TRUE(QFile::link(path("Roma"), path("collegamento.pdf")));
    // The name chosen, and the reason of its refusal; none when allowed.
    const std::pair<const char*, const char*> casi[] = {
        {"nuova.pdf", ""},
        {"vecchia.pdf", ""},
        {"Altro.SVZ", "è il nome di un elenco di domande"},
        {"Roma", "è l'elenco aperto"},
        {"collegamento.pdf", "è l'elenco aperto"},
        {"Milano.pdf", "non è un documento PDF"},
    };
    for (const auto& [nome, motivo] : casi) {
        const Result<void> esito = DestinazionePdf(fs_, path(nome), path("Roma"));
        const QString detto = esito.ok() || !esito.error().refused() ? "" : esito.error().message;
        EXPECT_EQ(detto.contains(path(nome)) && detto.contains(QString::fromUtf8(motivo)),
                  *motivo != '\0')
            << nome;
    }
}

}  // namespace
