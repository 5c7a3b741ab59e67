#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class YObject;

// Run-time class record: strategies and diagram tools are registered once at start-up under a
// base record and created later by walking the base's derived list.
struct YClassRecord {
    QString name;
    size_t objectSize = 0;
    unsigned schema = 0;
    std::function<std::unique_ptr<YObject>()> create; // empty for abstract bases
    YClassRecord* base = nullptr;
    std::vector<YClassRecord*> derived; // in registration order, names unique

    std::unique_ptr<YObject> CreateObject() const { return create ? create() : nullptr; }
};

// Base of registrable objects (strategies, tools). No state of its own.
class YObject {
  public:
    explicit YObject(int /*unused*/ = 0) {}
    virtual ~YObject() = default;
};

class YClassRegistry {
  public:
    // The record of a base class, created on first use. Records live for the whole program.
    static YClassRecord& Base(const QString& name);

    // Registers a class below a base. A name already in the base's list is not added again
    // (the first registration wins); returns whether the class was added.
    static bool Register(YClassRecord& base, const QString& name, size_t size, unsigned schema,
                         std::function<std::unique_ptr<YObject>()> create);

    template <class T>
    static bool Register(YClassRecord& base, const QString& name, unsigned schema = 1) {
        return Register(base, name, sizeof(T), schema, [] { return std::make_unique<T>(); });
    }

    // Finds a derived record of a base by name; nullptr when absent.
    static const YClassRecord* Find(const YClassRecord& base, const QString& name);
};
