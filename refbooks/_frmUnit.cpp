#include "refbooks/_frmUnit.h"

#include "platform/ib/IBQuery.h"
#include "refbooks/frmUnitEdit.h"

namespace {

// Columns of the load and of the one-row SELECT.
const QString kFields = QStringLiteral(
    "TU1.DBID, TU1.ID, TU1.S_PREFIX, TU1.S_NAMEDEF, TU1.S_NAME, TU1.S_DESCRIPTION, TU1.V_FACTOR, "
    "TU1.C_TIMESTAMP, TU1.U_TIMESTAMP, TU1.R_TIMESTAMP FROM T_UNIT TU1");

TKVListBook UnitBook() {
    TKVListBook book;
    book.Name = QStringLiteral("Unit");
    book.KeyHasDBId = true;
    book.ItemType = itUnit;
    book.Columns = {{T_frmUnit::tr("Приставка"), 80, lckText},
                    {T_frmUnit::tr("Обозн. по умолч."), 100, lckText},
                    {T_frmUnit::tr("Название"), 120, lckText},
                    {T_frmUnit::tr("Описание"), 160, lckText},
                    {T_frmUnit::tr("Множитель"), 100, lckDataValue}};
    book.CopyNameColumn = 2; // the name; the default designation is not copied
    book.CountSQL = QStringLiteral("SELECT COUNT(ID) FROM T_UNIT;");
    book.SelectSQL = QStringLiteral("SELECT ") + kFields + QStringLiteral(";");
    book.SelectOneSQL = QStringLiteral("SELECT FIRST 1 SKIP 0 ") + kFields +
                        QStringLiteral(" WHERE TU1.DBID = :VAR_DBID AND TU1.ID = :VAR_ID;");
    book.DeleteSQL = QStringLiteral("DELETE FROM T_UNIT WHERE DBID = :VAR_DBID AND ID = :VAR_ID;");
    book.DeleteProbes = {
        QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM T_BASE_PARAM "
                       "WHERE UNITDBID = :VAR_DBID AND UNITID = :VAR_ID);"),
        QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM T_PARAM WHERE "
                       "UNITDBID = :VAR_DBID AND UNITID = :VAR_ID);"),
        QStringLiteral("SELECT 1 FROM rdb$database WHERE EXISTS (SELECT ID FROM T_ELEMENT_AVAIL "
                       "WHERE (UNITNOMDBID = :VAR_DBID AND UNITNOMID = :VAR_ID) OR "
                       "(UNITCOUNTDBID = :VAR_DBID AND UNITCOUNTID = :VAR_ID));")};
    book.ManageObjType = otUnitList;
    book.SelectObjType = otUnitSelect;
    book.StoreColumnWidths = true;
    book.DefaultWidth = 300;
    book.DefaultHeight = 180;
    book.HelpTopic = QStringLiteral("RBUnit");
    return book;
}

} // namespace

T_frmUnit::T_frmUnit(QWidget* AParent) : TKVBookListFrame<TKVUnitList>(UnitBook(), AParent) {
    setObjectName(QStringLiteral("_frmUnit1"));
}

QString T_frmUnit::FactorText(double AFactor) {
    return AFactor > 0 ? FloatToStrKV(AFactor) : QString();
}

TKVListRow T_frmUnit::MakeRow(const TKVUnit& ARecord) const {
    return {ARecord.PKey(),
            {ARecord.Prefix(), ARecord.NameDef(), ARecord.Name(), ARecord.Description(),
             FactorText(ARecord.Factor())},
            // The factor column sorts by the number, not by its text.
            ARecord.Factor() > 0 ? std::optional<double>(ARecord.Factor()) : std::nullopt};
}

bool T_frmUnit::RecordMatchesText(const TKVUnit& ARecord) const {
    return MatchesFilter(ARecord.Prefix()) || MatchesFilter(ARecord.Name());
}

void T_frmUnit::OpenCard(quint32 ADBId, quint32 AId, bool ACreateCopyFlag) {
    OpenCardUnit(ADBId, AId, ACreateCopyFlag);
}
