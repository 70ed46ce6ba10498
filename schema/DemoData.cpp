#include "schema/DemoData.h"

#include "platform/ib/IBDatabase.h"
#include "schema/MainSchema.h"

extern const char kDemoDataSql[];

QString DemoDataScript() {
    return QString::fromUtf8(kDemoDataSql);
}

void FillDemoDataBase(const QString& AFileName) {
    TIBDatabase db;
    db.SetDatabaseName(AFileName);
    db.Open();
    RunSQLScript(db, DemoDataScript());
    db.Close();
}
