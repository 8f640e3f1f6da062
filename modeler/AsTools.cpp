// The bridge's error conventions and the restore and save of SAT text through AsSatStream.
#include "AsTools.h"

#include "AsAcadColorAttrib.h"
#include "AsAttribMarker.h"
#include "AsObject.h"
#include "AsSatStream.h"
#include "solidkernel/kernelapi.h"
#include "stratum/EntityData.h"

#include <exception>

namespace {
int g_lastError = 0;
}

int asLastError() { return g_lastError; }

void asSetLastError(int errorNumber) { g_lastError = errorNumber; }

void AsOutcomeCheck(const outcome& result) {
    g_lastError = result.error_number();
    if (!result.ok()) throw std::exception();
}

AsObject* AsRestoreRecord(const CDbAcisEntityData& record) {
    try {
        const HostString& sat = record.getSat();
        if (sat.empty()) return nullptr;
        AsSatStream reader(sat.data(), sat.size());
        ENTITY_LIST list;
        AsOutcomeCheck(api_restore_entity_list_file(&reader, list));
        if (list.count() != 1 || !dynamic_cast<BODY*>(list[0])) {
            // Several top-level entities (or no body) make no body: none of them is kept.
            for (int i = 0; i < list.count(); ++i) api_del_entity(list[i]);
            return nullptr;
        }
        return new AsObject(static_cast<BODY*>(list[0]));
    } catch (const std::exception&) {
        return nullptr;
    }
}

char* AsSaveEntity(ENTITY* entity) {
    AsSatStream writer;
    ENTITY_LIST list;
    list.add(entity, 1);
    outcome result = api_save_entity_list_file(&writer, list);
    g_lastError = result.error_number();
    if (!result.ok() || writer.failure()) throw std::exception();
    writer.write_char('\0');
    return writer.takeBuffer();
}

void AsRegisterAttributes() {
    // Referring to each class keeps its registration in every link of the bridge.
    (void)AsAcadColorAttrib::type();
    (void)AsAttribMarker::type();
}
