#include "core/platform/YClassRegistry.h"

#include <map>

namespace {
// Owner of every record; std::map keeps node addresses stable as records are added.
std::map<QString, YClassRecord>& Records() {
    static std::map<QString, YClassRecord> records;
    return records;
}
} // namespace

YClassRecord& YClassRegistry::Base(const QString& name) {
    YClassRecord& record = Records()[QStringLiteral("base:") + name];
    record.name = name;
    return record;
}

bool YClassRegistry::Register(YClassRecord& base, const QString& name, size_t size, unsigned schema,
                              std::function<std::unique_ptr<YObject>()> create) {
    if (Find(base, name) != nullptr) {
        return false;
    }
    YClassRecord& record = Records()[base.name + QLatin1Char('/') + name];
    record.name = name;
    record.objectSize = size;
    record.schema = schema;
    record.create = std::move(create);
    record.base = &base;
    base.derived.push_back(&record);
    return true;
}

const YClassRecord* YClassRegistry::Find(const YClassRecord& base, const QString& name) {
    for (const YClassRecord* record : base.derived) {
        if (record->name == name) {
            return record;
        }
    }
    return nullptr;
}
