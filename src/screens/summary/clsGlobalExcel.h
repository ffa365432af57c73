#pragma once

#include "Excel.h"
#include "clsGlobal.h"

// clsGlobal together with the spreadsheet export, which lives here rather
// than in the core because it needs the workbook writer and the dialogs.
// EsportaExcel passes its arguments unchanged to the export routine; the
// column lists and date types may be left out.
class clsGlobalExcel : public clsGlobal {
public:
    explicit clsGlobalExcel(const Excel::Ambiente& ambiente) : ambiente_(ambiente) {}

    void EsportaExcel(TextGrid& Grid, const QString& sName, const QString& sNomeApp,
                      const QString& sColData = {}, std::int32_t nTipoDataIn = 0,
                      std::int32_t nTipoDataOut = 0, const QString& sColStringa = {},
                      const QString& sColExport = {}) const {
        Excel::EsportaExcel(ambiente_, Grid, sName, sNomeApp, sColData, nTipoDataIn, nTipoDataOut,
                            sColStringa, sColExport);
    }

private:
    Excel::Ambiente ambiente_;
};
