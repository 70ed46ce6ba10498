#include "catalogue/KVElementTypeRef.h"

#include "platform/ib/IBQuery.h"

bool ReadElementTypeRef(TIBQuery& AQuery, quint32 ADBId, quint32 AId, TKVElementTypeRef& ARef) {
    AQuery.Close();
    AQuery.SetSQL(QStringLiteral(
        "SELECT FIRST 1 SKIP 0 TET.S_TYPENAME, TET.CLASSDBID, TET.CLASSID, TC.S_NAME AS CLASSNAME "
        "FROM T_ELEMENT_TYPE TET LEFT JOIN T_CLASS TC ON TC.DBID = TET.CLASSDBID AND TC.ID = "
        "TET.CLASSID WHERE TET.DBID = :VAR_ELEMENTTYPEDBID AND TET.ID = :VAR_ELEMENTTYPEID;"));
    AQuery.ParamByName("VAR_ELEMENTTYPEDBID").SetAsInt64(ADBId);
    AQuery.ParamByName("VAR_ELEMENTTYPEID").SetAsInt64(AId);
    AQuery.Open();
    const bool found = !AQuery.Eof();
    if (found) {
        ARef.Name = AQuery.FieldByName("S_TYPENAME").AsString();
        ARef.ClassKey = {static_cast<quint32>(AQuery.FieldByName("CLASSDBID").AsInt64()),
                         static_cast<quint32>(AQuery.FieldByName("CLASSID").AsInt64())};
        ARef.ClassName = AQuery.FieldByName("CLASSNAME").AsString();
    }
    AQuery.Close();
    return found;
}
