#include "cli/YCliVerb.h"

std::vector<YCliVerb>& YCliVerbs::All() {
    static std::vector<YCliVerb> verbs;
    return verbs;
}

const YCliVerb* YCliVerbs::Find(const QString& name) {
    for (const YCliVerb& verb : All()) {
        if (verb.name == name) {
            return &verb;
        }
    }
    return nullptr;
}
