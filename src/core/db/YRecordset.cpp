#include "core/db/YRecordset.h"

#include "core/db/YDatabase.h"
#include "core/db/YFastStatement.h"
#include "core/station/YStation.h"

#include <QRegularExpression>
#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>

namespace {

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();
constexpr int kMaxText = 255; // characters of a text column
// UPDATE statements kept per set; past that the cache starts afresh (a grid that edits one
// column after the other needs one each, the allocation a handful).
constexpr size_t kMaxUpdateStatements = 64;

QString Quote(const QString& name) {
    return u'[' + name + u']';
}

double OrZero(double v) {
    return std::isnan(v) ? 0.0 : v;
}

// Whether a number read from an integer column fits the member (-1 for a legacy "yes" fits).
bool FitsInteger(double v, YFieldExchange::Kind kind) {
    if (std::isnan(v) || kind == YFieldExchange::Kind::Bool) {
        return true;
    }
    if (kind == YFieldExchange::Kind::Long) {
        return v == std::trunc(v) && v >= -2147483648.0 && v <= 2147483647.0;
    }
    if (kind == YFieldExchange::Kind::Int) {
        return v == std::trunc(v) && v >= -32768.0 && v <= 32767.0;
    }
    return true;
}

template <typename T> T& Member(const YFieldExchange::Binding& b) {
    return *static_cast<T*>(b.member);
}

bool IsText(YFieldExchange::Kind kind) {
    return YFieldExchange::IsText(kind);
}

} // namespace

YRecordset::YRecordset(YDatabase& db) : m_db(db) {}

YRecordset::~YRecordset() {
    Close();
}

int YRecordset::Version() const {
    return m_db.Version();
}

bool YRecordset::Fail(const QString& text) {
    m_strError = QStringLiteral("表[%1]：%2").arg(TableName(), text);
    return false;
}

bool YRecordset::Open() {
    Close();
    m_strError.clear();
    if (!m_db.IsOpen()) {
        return Fail(QStringLiteral("项目文件没有打开"));
    }
    const int version = m_db.Version();
    if (version != 2) {
        return OpenOnce();
    }
    if (OpenOnce()) {
        return true;
    }
    // A file of version 2 or older that lacks the version-2 columns is a version-1 file. The
    // version stays 1 only when the set does open that way: a table that is missing
    // altogether says nothing about the layout.
    const QString error = m_strError;
    m_db.SetVersion(1);
    if (OpenOnce()) {
        return true;
    }
    m_db.SetVersion(version);
    m_strError = error;
    return false;
}

bool YRecordset::OpenOnce() {
    m_nOwnColumns = ColumnCount(m_db.Version());
    if (!Bind() || !CheckColumns()) {
        Close();
        return false;
    }
    m_bOpen = true;
    m_db.Register(this);
    if (!Requery()) {
        const QString error = m_strError;
        Close();
        m_strError = error;
        return false;
    }
    return true;
}

void YRecordset::Close() {
    (void)FlushUpdates(); // what was held back is the set's to write, not to lose
    if (m_bOpen) {
        m_db.Unregister(this);
    }
    m_bOpen = false;
    m_nOwnColumns = 0;
    m_bindings.clear();
    m_nTexts = 0;
    m_nNumbers = 0;
    m_rows.Clear();
    m_loadStamp.reset();
    m_rows.SetKeys({});
    m_nPos = -1;
    m_bBetweenRows = false;
    m_bOrderDirty = false;
    m_mode = Mode::None;
    m_insert.reset();
    m_delete.reset();
    m_updates.clear();
}

bool YRecordset::Bind() {
    YFieldExchange fx;
    if (IsPerSegment() && m_db.Version() >= 5) {
        fx.Int(u"分段编号", m_nSegment);
    }
    DoFieldExchange(fx);
    const int segment = (IsPerSegment() && m_db.Version() >= 5) ? 1 : 0;
    if (int(fx.Bindings().size()) != m_nOwnColumns + segment) {
        return Fail(QStringLiteral("记录集绑定%1列，应为%2列")
                        .arg(fx.Bindings().size())
                        .arg(m_nOwnColumns + segment));
    }
    m_bindings = fx.Bindings();
    m_nTexts = fx.TextSlots();
    m_nNumbers = fx.NumberSlots();

    // Sort keys: "[a],[b]" names bound columns.
    std::vector<YRowCache::Key> keys;
    static const QRegularExpression name(QStringLiteral("\\[([^\\]]+)\\]"));
    for (auto it = name.globalMatch(DefaultSort()); it.hasNext();) {
        const QString col = it.next().captured(1);
        const auto b = std::find_if(m_bindings.begin(), m_bindings.end(),
                                    [&](const auto& x) { return x.name == col; });
        if (b == m_bindings.end()) {
            return Fail(QStringLiteral("排序列[%1]没有绑定").arg(col));
        }
        keys.push_back({b->slot, YFieldExchange::IsText(b->kind)});
    }
    m_rows.SetKeys(std::move(keys));
    return true;
}

bool YRecordset::CheckColumns() {
    const auto present = m_db.ColumnNames(TableName());
    if (!present) {
        return Fail(QStringLiteral("缺少这个表"));
    }
    QStringList missing;
    for (const auto& b : m_bindings) {
        if (!present->contains(b.name)) {
            missing << Quote(b.name);
        }
    }
    if (!missing.isEmpty()) {
        return Fail(QStringLiteral("缺少列%1").arg(missing.join(u'、')));
    }
    return true;
}

bool YRecordset::SegmentFiltered() const {
    return IsPerSegment() && m_db.Version() >= 5 && m_db.CurrentSegment() >= 0;
}

QString YRecordset::Filter() const {
    return SegmentFiltered() ? QStringLiteral("[分段编号] = %1").arg(m_db.CurrentSegment())
                             : QString();
}

QStringList YRecordset::BoundColumns() const {
    QStringList names;
    for (const auto& b : m_bindings) {
        names << b.name;
    }
    return names;
}

std::vector<YColumnDef> YRecordset::BoundColumnDefs() const {
    std::vector<YColumnDef> cols;
    for (const auto& b : m_bindings) {
        cols.push_back({b.name, YFieldExchange::TypeOf(b.kind)});
    }
    return cols;
}

const YFieldExchange::Binding* YRecordset::NumberBinding(const QString& column) const {
    const auto b = std::find_if(m_bindings.begin(), m_bindings.end(),
                                [&](const auto& x) { return x.name == column && !IsText(x.kind); });
    return b == m_bindings.end() ? nullptr : &*b;
}

int YRecordset::NumberSlot(const QString& column) const {
    const YFieldExchange::Binding* b = NumberBinding(column);
    return b ? b->slot : -1;
}

bool YRecordset::HasColumn(const QString& name) const {
    return std::any_of(m_bindings.begin(), m_bindings.end(),
                       [&name](const YFieldExchange::Binding& b) { return b.name == name; });
}

QString YRecordset::SelectSql() const {
    QStringList cols{QStringLiteral("rowid")};
    for (const auto& b : m_bindings) {
        cols << Quote(b.name);
    }
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(cols.join(u','), Quote(TableName()));
    if (m_nFilterSegment >= 0) {
        sql += QStringLiteral(" WHERE [分段编号] = ?");
    }
    const QString sort = DefaultSort();
    sql += QStringLiteral(" ORDER BY ") +
           (sort.isEmpty() ? QStringLiteral("rowid") : sort + QStringLiteral(", rowid"));
    return sql;
}

bool YRecordset::Requery() {
    if (!m_bOpen) {
        return Fail(QStringLiteral("记录集没有打开"));
    }
    m_nFilterSegment = SegmentFiltered() ? m_db.CurrentSegment() : -1;
    m_deferred.reset(); // the file is read again: it holds what was written
    m_rows.Clear();
    m_nPos = -1;
    m_bBetweenRows = false;
    m_bOrderDirty = false;
    m_mode = Mode::None;
    m_loadStamp.reset();
    if (!Load()) {
        m_rows.Clear();
        return false;
    }
    m_loadStamp = YFastStatement::Stamp(m_db.Connection());
    MoveFirst();
    return true;
}

bool YRecordset::RequeryIfChanged() {
    const int segment = SegmentFiltered() ? m_db.CurrentSegment() : -1;
    if (!m_bOpen || !m_loadStamp || segment != m_nFilterSegment || m_mode != Mode::None ||
        YFastStatement::Stamp(m_db.Connection()) != m_loadStamp) {
        return Requery();
    }
    m_bBetweenRows = false;
    MoveFirst();
    return true;
}

bool YRecordset::Load() {
    // Read on SQLite's C interface where it is reachable: a long road's log and result tables
    // hold hundreds of thousands of values, and a QVariant for each would cost several times
    // what SQLite spends reading them.
    YFastStatement query(m_db.Connection());
    if (!query.Prepare(SelectSql())) {
        return Fail(query.LastError());
    }
    if (m_nFilterSegment >= 0) {
        query.BindInt(0, m_nFilterSegment);
    }
    for (int line = 1; query.Next(); ++line) {
        YRow row;
        row.nRowId = query.Int(0);
        row.num.assign(size_t(m_nNumbers), kNull);
        row.text.assign(size_t(m_nTexts), QString());
        for (size_t i = 0; i < m_bindings.size(); ++i) {
            if (!ReadCell(query, int(i) + 1, m_bindings[i], row, line)) {
                query.Reset();
                return false;
            }
        }
        m_rows.Append(std::move(row));
    }
    return query.LastError().isEmpty() || Fail(query.LastError());
}

bool YRecordset::ReadCell(const YFastStatement& query, int col, const YFieldExchange::Binding& b,
                          YRow& row, int line) {
    using Cell = YFastStatement::Cell;
    double d = kNull;
    const Cell cell = query.Number(col, d);
    // The usual cells directly; the rest (numbers in text columns, texts in number columns,
    // blobs) as the driver would give them, with their checks and messages.
    if (YFieldExchange::IsText(b.kind)) {
        if (cell == Cell::Text || cell == Cell::Null) {
            row.text[size_t(b.slot)] = cell == Cell::Text ? query.Text(col) : QString();
            return true;
        }
    } else if (cell == Cell::Float || cell == Cell::Integer) {
        if (FitsInteger(d, b.kind)) {
            row.num[size_t(b.slot)] = d;
            return true;
        }
    } else if (cell == Cell::Null) {
        return true; // the row starts with every number NULL
    }
    return ReadValue(query.Value(col), b, row, line);
}

bool YRecordset::ReadValue(const QVariant& v, const YFieldExchange::Binding& b, YRow& row,
                           int line) {
    const auto bad = [&](const QString& what) {
        return Fail(
            QStringLiteral("第%1行列[%2]的值“%3”%4").arg(line).arg(b.name, v.toString(), what));
    };
    if (YFieldExchange::IsText(b.kind)) {
        if (v.typeId() == QMetaType::QByteArray) {
            return bad(QStringLiteral("不是文字"));
        }
        row.text[size_t(b.slot)] = v.isNull() ? QString() : v.toString();
        return true;
    }
    double d = kNull;
    if (!v.isNull()) {
        switch (v.typeId()) {
        case QMetaType::Double:
            d = v.toDouble();
            break;
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::ULongLong:
        case QMetaType::UInt:
            d = double(v.toLongLong());
            break;
        case QMetaType::QString: {
            // A blank text counts as no value; any other text must be a number.
            const QString s = v.toString().trimmed();
            bool ok = s.isEmpty();
            if (!ok) {
                d = s.toDouble(&ok);
            }
            if (!ok) {
                return bad(QStringLiteral("不是数字"));
            }
            break;
        }
        default:
            return bad(QStringLiteral("不是数字"));
        }
    }
    if (!FitsInteger(d, b.kind)) {
        return bad(QStringLiteral("不是这一列能容纳的整数"));
    }
    row.num[size_t(b.slot)] = d;
    return true;
}

void YRecordset::LoadMembers(const YRow& row) {
    using K = YFieldExchange::Kind;
    for (const auto& b : m_bindings) {
        const double v = IsText(b.kind) ? 0.0 : row.num[size_t(b.slot)];
        switch (b.kind) {
        case K::Text:
            Member<QString>(b) = row.text[size_t(b.slot)];
            break;
        case K::StationText:
            Member<QString>(b) = row.text[size_t(b.slot)];
            *b.station = m_db.Numbering().ParseOrZero(row.text[size_t(b.slot)]);
            break;
        case K::Double:
            Member<double>(b) = OrZero(v);
            break;
        case K::OptDouble:
            Member<std::optional<double>>(b) =
                std::isnan(v) ? std::nullopt : std::optional<double>(v);
            break;
        case K::Metres:
            Member<YStation>(b) = YStation(OrZero(v));
            break;
        case K::StationMirror:
            break; // the station comes from its text column
        case K::Long:
            Member<qint32>(b) = qint32(OrZero(v));
            break;
        case K::Int:
            Member<qint16>(b) = qint16(OrZero(v));
            break;
        case K::Bool:
            Member<bool>(b) = OrZero(v) != 0.0;
            break;
        }
    }
    OnRowLoaded();
}

void YRecordset::ClearMembers() {
    using K = YFieldExchange::Kind;
    for (const auto& b : m_bindings) {
        switch (b.kind) {
        case K::Text:
            Member<QString>(b) = QString();
            break;
        case K::StationText:
            Member<QString>(b) = QString();
            *b.station = YStation();
            break;
        case K::Double:
            Member<double>(b) = 0.0;
            break;
        case K::OptDouble:
            Member<std::optional<double>>(b).reset();
            break;
        case K::Metres:
            Member<YStation>(b) = YStation();
            break;
        case K::StationMirror:
            break;
        case K::Long:
            Member<qint32>(b) = 0;
            break;
        case K::Int:
            Member<qint16>(b) = 0;
            break;
        case K::Bool:
            Member<bool>(b) = false;
            break;
        }
    }
}

namespace {

// A member as the number cached and written for it (NaN = NULL).
double NumberOf(const YFieldExchange::Binding& b) {
    using K = YFieldExchange::Kind;
    switch (b.kind) {
    case K::Double:
        return Member<double>(b);
    case K::OptDouble:
        return Member<std::optional<double>>(b).value_or(kNull);
    case K::Metres:
    case K::StationMirror:
        return Member<YStation>(b).Value();
    case K::Long:
        return Member<qint32>(b);
    case K::Int:
        return Member<qint16>(b);
    case K::Bool:
        return Member<bool>(b) ? 1.0 : 0.0;
    default:
        return kNull;
    }
}

// A station kept as text follows whichever side the caller changed since the row was read:
// a changed station is formatted into the text, a changed text is parsed into the station,
// and an untouched pair keeps its text as it was typed (an empty or unreadable text is not
// replaced by "K0+000.000"). A new row whose text was left empty gets the station's text.
void SyncStationText(const YFieldExchange::Binding& b, const QString& old, bool bAdding,
                     const YStationNumbering& numbering) {
    QString& text = Member<QString>(b);
    if (*b.station != numbering.ParseOrZero(old)) {
        text = numbering.Text(*b.station);
    } else if (text != old) {
        *b.station = numbering.ParseOrZero(text);
    } else if (bAdding && text.isEmpty()) {
        text = numbering.Text(*b.station);
    }
}

// What the file holds for a value: NULLs are equal, and so are 0 and -0 (SQLite stores both as
// the integer 0). Any other difference, down to the last bit, is a change to be written.
bool SameNumber(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// A null text (NULL) differs from the empty one ('').
bool SameText(const QString& a, const QString& b) {
    return a.isNull() == b.isNull() && a == b;
}

} // namespace

// Members to a row about to be written; the row holds the values read (blank for a new row).
bool YRecordset::StoreMembers(YRow& row, bool bAdding, std::vector<int>* pChanged) {
    for (size_t i = 0; i < m_bindings.size(); ++i) {
        const auto& b = m_bindings[i];
        bool changed = false;
        if (!IsText(b.kind)) {
            double& cached = row.num[size_t(b.slot)];
            const double value = NumberOf(b);
            changed = !SameNumber(value, cached);
            cached = value;
        } else {
            QString& cached = row.text[size_t(b.slot)];
            if (b.kind == YFieldExchange::Kind::StationText) {
                SyncStationText(b, cached, bAdding, m_db.Numbering());
            }
            const QString& text = Member<QString>(b);
            if (text.size() > kMaxText) {
                return Fail(QStringLiteral("列[%1]的文字超过%2个字符").arg(b.name).arg(kMaxText));
            }
            changed = !SameText(text, cached);
            cached = text;
        }
        if (changed && pChanged != nullptr) {
            pChanged->push_back(int(i));
        }
    }
    return true;
}

void YRecordset::BindColumn(YFastStatement& statement, int pos, const YFieldExchange::Binding& b,
                            const YRow& row) const {
    using K = YFieldExchange::Kind;
    if (IsText(b.kind)) {
        statement.BindText(pos, row.text[size_t(b.slot)]);
    } else if (const double d = row.num[size_t(b.slot)]; std::isnan(d)) {
        statement.BindNull(pos);
    } else if (b.kind == K::Long || b.kind == K::Int || b.kind == K::Bool) {
        statement.BindInt(pos, qint64(d));
    } else {
        statement.BindDouble(pos, d);
    }
}

YFastStatement* YRecordset::Prepare(std::unique_ptr<YFastStatement>& slot, const QString& sql) {
    auto statement = std::make_unique<YFastStatement>(m_db.Connection());
    if (!statement->Prepare(sql)) {
        Fail(statement->LastError());
        return nullptr;
    }
    slot = std::move(statement);
    return slot.get();
}

QString YRecordset::InsertSql() const {
    QStringList cols;
    for (const auto& b : m_bindings) {
        cols << Quote(b.name);
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(Quote(TableName()), cols.join(u','),
             QStringList(cols.size(), QStringLiteral("?")).join(u','));
}

YFastStatement* YRecordset::UpdateStatement(const std::vector<int>& columns) {
    const auto found = m_updates.find(columns);
    if (found != m_updates.end()) {
        return found->second.get();
    }
    if (m_updates.size() >= kMaxUpdateStatements) {
        m_updates.clear();
    }
    QStringList sets;
    for (const int i : columns) {
        sets << Quote(m_bindings[size_t(i)].name) + QStringLiteral(" = ?");
    }
    std::unique_ptr<YFastStatement> slot;
    YFastStatement* statement = Prepare(slot, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                                  .arg(Quote(TableName()), sets.join(u',')));
    if (statement != nullptr) {
        m_updates.emplace(columns, std::move(slot));
    }
    return statement;
}

void YRecordset::MoveFirst() {
    Reposition(0);
}

void YRecordset::MoveNext() {
    Reposition(m_bBetweenRows ? m_nPos : m_nPos + 1);
}

void YRecordset::MovePrev() {
    Reposition(m_nPos - 1);
}

void YRecordset::MoveLast() {
    Reposition(m_rows.Size() - 1);
}

bool YRecordset::SetPosition(int index) {
    if (index < 0 || index >= m_rows.Size()) {
        return false;
    }
    Reposition(index);
    return true;
}

void YRecordset::Reposition(int index) {
    m_bBetweenRows = false;
    m_mode = Mode::None;
    m_nPos = std::clamp(index, -1, m_rows.Size());
    if (m_nPos >= 0 && m_nPos < m_rows.Size()) {
        LoadMembers(m_rows[m_nPos]);
    }
}

qint64 YRecordset::RowId() const {
    return (IsBOF() || IsEOF() || m_bBetweenRows) ? 0 : m_rows[m_nPos].nRowId;
}

bool YRecordset::MoveToRowId(qint64 rowid) {
    const int i = m_rows.IndexOfRowId(rowid);
    return i >= 0 && SetPosition(i);
}

void YRecordset::EnsureSorted() {
    if (!m_bOrderDirty) {
        return;
    }
    const bool onRow = m_nPos >= 0 && m_nPos < m_rows.Size();
    const qint64 anchor = onRow ? m_rows[m_nPos].nRowId : 0;
    m_rows.Sort();
    if (onRow) {
        m_nPos = m_rows.IndexOfRowId(anchor);
        assert(m_nPos >= 0 && "sorting keeps the current row in the cache");
    }
    m_bOrderDirty = false;
}

bool YRecordset::Seek(std::initializer_list<double> keys) {
    EnsureSorted();
    const auto& sortKeys = m_rows.Keys();
    if (keys.size() == 0 || keys.size() > sortKeys.size() ||
        std::any_of(sortKeys.begin(), sortKeys.begin() + qsizetype(keys.size()),
                    [](const YRowCache::Key& k) { return k.bText; })) {
        return Fail(QStringLiteral("不能按这些数值定位"));
    }
    const std::vector<double> target(keys);
    const int i = m_rows.LowerBound(target, YStation::Epsilon);
    if (!m_rows.KeysEqual(i, target, YStation::Epsilon)) {
        return false;
    }
    Reposition(i);
    return true;
}

bool YRecordset::FindByStation(const YStation& station) {
    return Seek({station.Value()});
}

bool YRecordset::SeekAtOrAfter(double key) {
    EnsureSorted();
    if (m_rows.Keys().empty() || m_rows.Keys().front().bText) {
        return Fail(QStringLiteral("不能按数值定位"));
    }
    Reposition(m_rows.LowerBound({key}, YStation::Epsilon));
    return !IsEOF();
}

bool YRecordset::SeekText(const QString& key) {
    EnsureSorted();
    if (m_rows.Keys().empty() || !m_rows.Keys().front().bText) {
        return Fail(QStringLiteral("不能按文字定位"));
    }
    const int i = m_rows.LowerBoundText(key);
    const int slot = m_rows.Keys().front().slot;
    if (i >= m_rows.Size() || m_rows[i].text[size_t(slot)] != key) {
        return false;
    }
    Reposition(i);
    return true;
}

void YRecordset::AddNew() {
    m_mode = Mode::Add;
    ClearMembers();
    if (IsPerSegment() && m_db.Version() >= 5) {
        m_nSegment = qint16(m_db.CurrentSegment());
    }
    OnRowLoaded();
}

bool YRecordset::Edit() {
    if (!m_bOpen || IsBOF() || IsEOF() || m_bBetweenRows) {
        return Fail(QStringLiteral("没有当前行可以修改"));
    }
    m_mode = Mode::Edit;
    return true;
}

bool YRecordset::Update() {
    if (!m_bOpen) {
        return Fail(QStringLiteral("记录集没有打开"));
    }
    if (m_mode == Mode::None) {
        return Fail(QStringLiteral("写入之前没有调用AddNew或Edit"));
    }
    return m_mode == Mode::Add ? Insert() : Rewrite();
}

void YRecordset::CancelUpdate() {
    m_mode = Mode::None;
    if (!IsBOF() && !IsEOF() && !m_bBetweenRows) {
        LoadMembers(m_rows[m_nPos]);
    }
}

bool YRecordset::Insert() {
    if (!FlushUpdates()) {
        return false;
    }
    YRow row;
    row.num.assign(size_t(m_nNumbers), kNull);
    row.text.assign(size_t(m_nTexts), QString());
    if (!StoreMembers(row, true, nullptr)) {
        return false;
    }
    YFastStatement* insert = m_insert ? m_insert.get() : Prepare(m_insert, InsertSql());
    if (insert == nullptr) {
        return false;
    }
    for (size_t i = 0; i < m_bindings.size(); ++i) {
        BindColumn(*insert, int(i), m_bindings[i], row);
    }
    if (!insert->Exec()) {
        return Fail(insert->LastError());
    }
    row.nRowId = insert->InsertedRowId();
    m_nLastInsert = row.nRowId;

    EnsureSorted();
    const int oldSize = m_rows.Size();
    const int at = m_rows.InsertSorted(std::move(row));
    if (m_nPos >= oldSize) {
        m_nPos = m_rows.Size(); // stays after the last row
    } else if (m_nPos >= 0 && at <= m_nPos) {
        ++m_nPos;
    }
    m_mode = Mode::None;
    if (!IsBOF() && !IsEOF() && !m_bBetweenRows) {
        LoadMembers(m_rows[m_nPos]);
    }
    return true;
}

bool YRecordset::Rewrite() {
    YRow row = m_rows[m_nPos];
    std::vector<int> changed;
    if (!StoreMembers(row, false, &changed)) {
        return false;
    }
    if (!changed.empty()) {
        if (m_deferred) {
            m_deferred->try_emplace(row.nRowId, m_rows[m_nPos]); // the file's version, once
        } else if (!WriteColumns(row, changed)) {
            return false;
        }
    }
    m_rows[m_nPos] = std::move(row);
    if (!m_rows.InOrderAt(m_nPos)) {
        m_bOrderDirty = true;
    }
    m_mode = Mode::None;
    return true;
}

bool YRecordset::WriteColumns(const YRow& row, const std::vector<int>& changed) {
    YFastStatement* update = UpdateStatement(changed);
    if (update == nullptr) {
        return false;
    }
    for (size_t i = 0; i < changed.size(); ++i) {
        BindColumn(*update, int(i), m_bindings[size_t(changed[i])], row);
    }
    update->BindInt(int(changed.size()), row.nRowId);
    if (!update->Exec()) {
        return Fail(update->LastError());
    }
    if (update->RowsChanged() != 1) {
        return Fail(QStringLiteral("当前行已不在文件中"));
    }
    return true;
}

std::vector<int> YRecordset::ChangedColumns(const YRow& before, const YRow& after) const {
    std::vector<int> changed;
    for (size_t i = 0; i < m_bindings.size(); ++i) {
        const auto& b = m_bindings[i];
        const size_t k = size_t(b.slot);
        if (IsText(b.kind) ? !SameText(before.text[k], after.text[k])
                           : !SameNumber(before.num[k], after.num[k])) {
            changed.push_back(int(i));
        }
    }
    return changed;
}

void YRecordset::DeferUpdates() {
    if (!m_deferred) {
        m_deferred.emplace();
    }
}

bool YRecordset::FlushUpdates() {
    if (!m_deferred) {
        return true;
    }
    std::unordered_map<qint64, YRow> held = std::move(*m_deferred);
    m_deferred.reset();
    // One pass over the cache finds every held row, wherever a sort moved it.
    for (int i = 0; i < m_rows.Size() && !held.empty(); ++i) {
        const auto it = held.find(m_rows[i].nRowId);
        if (it == held.end()) {
            continue;
        }
        const std::vector<int> changed = ChangedColumns(it->second, m_rows[i]);
        if (!changed.empty() && !WriteColumns(m_rows[i], changed)) {
            return false;
        }
        held.erase(it);
    }
    return held.empty() || Fail(QStringLiteral("当前行已不在文件中"));
}

bool YRecordset::ForRowIdRuns(std::vector<int>& positions, YFastStatement& statement, int first,
                              const std::function<void(int)>& done) {
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    if (!positions.empty() && (positions.front() < 0 || positions.back() >= m_rows.Size())) {
        return Fail(QStringLiteral("没有这一行"));
    }
    // Rows next to each other in the set and in rowid order go in one statement.
    for (size_t i = 0; i < positions.size();) {
        size_t j = i;
        while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1 &&
               m_rows[positions[j + 1]].nRowId == m_rows[positions[j]].nRowId + 1) {
            ++j;
        }
        statement.BindInt(first, m_rows[positions[i]].nRowId);
        statement.BindInt(first + 1, m_rows[positions[j]].nRowId);
        if (!statement.Exec()) {
            return Fail(statement.LastError());
        }
        if (statement.RowsChanged() != int(j - i + 1)) {
            return Fail(QStringLiteral("当前行已不在文件中"));
        }
        for (size_t k = i; k <= j; ++k) {
            done(positions[k]);
        }
        i = j + 1;
    }
    return true;
}

bool YRecordset::SetNumberAt(std::vector<int> positions, const QString& column, double value) {
    if (!FlushUpdates()) {
        return false;
    }
    const YFieldExchange::Binding* b = NumberBinding(column);
    if (!m_bOpen || m_mode != Mode::None || b == nullptr) {
        return Fail(QStringLiteral("列[%1]不能成批写入").arg(column));
    }
    YFastStatement update(m_db.Connection());
    if (!update.Prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid BETWEEN ? AND ?")
                            .arg(Quote(TableName()), Quote(column)))) {
        return Fail(update.LastError());
    }
    YRow stored;
    stored.num.assign(size_t(m_nNumbers), kNull);
    stored.num[size_t(b->slot)] = value;
    BindColumn(update, 0, *b, stored);
    if (!ForRowIdRuns(positions, update, 1,
                      [&](int pos) { m_rows[pos].num[size_t(b->slot)] = value; })) {
        return false;
    }
    const auto& keys = m_rows.Keys();
    if (std::any_of(keys.begin(), keys.end(),
                    [&](const YRowCache::Key& k) { return !k.bText && k.slot == b->slot; })) {
        m_bOrderDirty = true;
    }
    if (!IsBOF() && !IsEOF() && !m_bBetweenRows) {
        LoadMembers(m_rows[m_nPos]);
    }
    return true;
}

bool YRecordset::Delete() {
    if (!FlushUpdates()) {
        return false;
    }
    if (!m_bOpen || IsBOF() || IsEOF() || m_bBetweenRows) {
        return Fail(QStringLiteral("没有当前行可以删除"));
    }
    YFastStatement* remove =
        m_delete
            ? m_delete.get()
            : Prepare(m_delete,
                      QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Quote(TableName())));
    if (remove == nullptr) {
        return false;
    }
    remove->BindInt(0, m_rows[m_nPos].nRowId);
    if (!remove->Exec()) {
        return Fail(remove->LastError());
    }
    m_rows.Erase(m_nPos);
    m_bBetweenRows = true;
    m_mode = Mode::None;
    return true;
}

bool YRecordset::DeleteAt(std::vector<int> positions) {
    if (!FlushUpdates()) {
        return false;
    }
    if (!m_bOpen || m_mode != Mode::None) {
        return Fail(QStringLiteral("记录集不能成批删除"));
    }
    YFastStatement remove(m_db.Connection());
    if (!remove.Prepare(
            QStringLiteral("DELETE FROM %1 WHERE rowid BETWEEN ? AND ?").arg(Quote(TableName())))) {
        return Fail(remove.LastError());
    }
    std::vector<bool> gone(size_t(m_rows.Size()), false);
    if (!ForRowIdRuns(positions, remove, 0, [&](int pos) { gone[size_t(pos)] = true; })) {
        (void)Requery(); // some runs went: the cache follows the file again
        return false;
    }
    m_rows.EraseMarked(gone);
    m_nPos = -1; // before the first row, as after a re-query
    m_bBetweenRows = false;
    return true;
}

bool YRecordset::DeleteSegmentRows() {
    if (!FlushUpdates()) {
        return false;
    }
    if (!m_bOpen) {
        return Fail(QStringLiteral("记录集没有打开"));
    }
    if (m_rows.Empty()) {
        return true;
    }
    QString sql = QStringLiteral("DELETE FROM %1").arg(Quote(TableName()));
    if (SegmentFiltered()) {
        sql += QStringLiteral(" WHERE [分段编号] = %1").arg(m_db.CurrentSegment());
    }
    if (!m_db.Exec(sql)) {
        return Fail(m_db.LastError());
    }
    return Requery();
}
