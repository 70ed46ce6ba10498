#pragma once

#include "platform/ib/IBDatabase.h"

#include <QByteArray>
#include <QHash>
#include <QVariant>
#include <memory>
#include <vector>

namespace Firebird {
class IStatement;
class IResultSet;
class IMessageMetadata;
} // namespace Firebird

// A parameter of a query, named in the SQL text as :NAME. A name that occurs several times
// is one parameter: its value goes to every occurrence.
class TIBParam {
public:
    enum class TKind { Null, Integer, Int64, Double, String, DateTime, Bytes };

    const QString& Name() const { return FName; }

    void SetAsInteger(qint32 AValue);
    void SetAsInt64(qint64 AValue);
    void SetAsDouble(double AValue);
    void SetAsString(const QString& AValue);
    void SetAsDateTime(TDateTime AValue);
    void SetAsBytes(const QByteArray& AValue);
    void SetAsBoolean(bool AValue) { SetAsInteger(AValue ? 1 : 0); }
    // Sets the value from a variant: an invalid or null variant clears the parameter.
    void SetValue(const QVariant& AValue);
    // Makes the parameter NULL.
    void Clear();

    bool IsNull() const { return FKind == TKind::Null; }
    TKind Kind() const { return FKind; }

private:
    friend class TIBQuery;
    explicit TIBParam(QString AName) : FName(std::move(AName)) {}

    QString FName;
    TKind FKind = TKind::Null;
    qint64 FInt = 0;
    double FDouble = 0;
    QString FString;
    QByteArray FBytes;
};

// A column of the current row of an open query. Any non-NULL number reads as a number
// whatever its SQL type; reading a NULL gives 0, an empty text or empty bytes.
class TIBField {
public:
    TIBField() = default;
    const QString& FieldName() const { return FName; }
    bool IsNull() const;

    qint32 AsInteger() const;
    qint64 AsInt64() const;
    double AsDouble() const;
    QString AsString() const;
    TDateTime AsDateTime() const;
    QByteArray AsBytes() const;
    bool AsBoolean() const { return AsInt64() != 0; }
    // The value as a variant: invalid for NULL, an integer type for whole-number columns,
    // double for the others, QString for texts, QDateTime for dates and times, QByteArray
    // for binary blobs.
    QVariant Value() const;

    // The SQL type (SQL_VARYING, SQL_LONG, ...) without the nullable bit, and its scale.
    unsigned SQLType() const { return FType; }
    int SQLScale() const { return FScale; }
    bool IsBlob() const;
    bool IsTextBlob() const;

private:
    friend class TIBQuery;
    const unsigned char* Data() const;
    bool IsNumeric() const;
    bool IsText() const;
    QByteArray RawText() const;
    QByteArray ReadBlob() const;

    TIBQuery* FQuery = nullptr;
    QString FName;
    unsigned FType = 0;
    int FSubType = 0;
    int FScale = 0;
    unsigned FLength = 0;
    unsigned FOffset = 0;
    unsigned FNullOffset = 0;
};

class TIBQuery {
public:
    explicit TIBQuery(TIBDatabase* ADatabase = nullptr, TIBTransaction* ATransaction = nullptr);
    ~TIBQuery();
    TIBQuery(const TIBQuery&) = delete;
    TIBQuery& operator=(const TIBQuery&) = delete;

    TIBDatabase* Database() const { return FDatabase; }
    void SetDatabase(TIBDatabase* ADatabase);
    TIBTransaction* Transaction() const { return FTransaction; }
    void SetTransaction(TIBTransaction* ATransaction);

    // The SQL text. Setting it closes the query and drops the prepared statement.
    const QString& SQL() const { return FSQL; }
    void SetSQL(const QString& ASQL);
    // With ParamCheck off, :NAME in the text is left to the engine (for DDL and PSQL bodies).
    bool ParamCheck() const { return FParamCheck; }
    void SetParamCheck(bool AValue);

    void Prepare();
    void Unprepare();
    bool Prepared() const { return FStatement != nullptr; }

    int ParamCount();
    TIBParam& Params(int AIndex);
    // Raises EIBError when the SQL text has no such parameter; names compare without case.
    TIBParam& ParamByName(const QString& AName);
    // The parameter of that name (ignoring case), or nullptr when the text has none.
    TIBParam* FindParam(const QString& AName);

    // Runs a SELECT (or a statement that returns one row) and makes its first row current.
    void Open();
    void Close();
    bool Active() const { return FActive; }
    // Runs a statement that returns no rows, or one output row (EXECUTE PROCEDURE, RETURNING)
    // that becomes the current row.
    void ExecSQL();

    bool Eof() const { return FEof; }
    void Next();

    int FieldCount() const { return static_cast<int>(FFields.size()); }
    TIBField& Fields(int AIndex);
    TIBField* FindField(const QString& AName);
    // Raises EIBError when there is no such column; names compare without case.
    TIBField& FieldByName(const QString& AName);
    // The same for a name given as Latin-1 text, usually a literal: a row loop asks for the
    // same names over and over, so the answers are remembered by the text's address and
    // checked against the name before use.
    TIBField* FindField(const char* AName);
    TIBField& FieldByName(const char* AName);

    // Rows inserted, updated or deleted by the last ExecSQL.
    int RowsAffected() const { return FRowsAffected; }

private:
    friend class TIBField;
    friend class TIBDatabase;
    friend class TIBTransaction;
    void CheckReady();
    void ParseSQL();
    void BuildFields();
    QByteArray BuildInput(Firebird::IMessageMetadata*& AMeta);
    void CloseCursor();
    void DetachFromDatabase();
    void DetachFromTransaction();

    TIBDatabase* FDatabase = nullptr;
    TIBTransaction* FTransaction = nullptr;
    QString FSQL;
    bool FParamCheck = true;
    bool FParsed = false;
    QByteArray FEngineSQL;
    std::vector<std::unique_ptr<TIBParam>> FParams;
    std::vector<int> FParamPositions; // parameter index of each '?' in order
    Firebird::IStatement* FStatement = nullptr;
    Firebird::IMessageMetadata* FOutMeta = nullptr;
    Firebird::IResultSet* FCursor = nullptr;
    unsigned FStatementType = 0;
    std::vector<TIBField> FFields;
    QHash<QString, int> FFieldIndex;
    struct TNameCacheEntry {
        const char* Name;
        QByteArray Text; // the text seen at Name when the entry was made
        int Index;
    };
    std::vector<TNameCacheEntry> FNameCache; // Index -1: the query has no such column
    size_t FNameCacheNext = 0;               // where the next search starts
    // The status of the row fetches, made once for all the rows of the query.
    struct TFetchStatus;
    std::unique_ptr<TFetchStatus> FFetchStatus;
    std::vector<unsigned char> FBuffer;
    bool FActive = false;
    bool FEof = true;
    int FRowsAffected = 0;
};
