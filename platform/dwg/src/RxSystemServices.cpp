// The base operations of the system services, and the library's hold on its host's.
// The global hold is one atomic pointer that owns one reference.
#include "dwg/RxSystemServices.h"

#include <atomic>
#include <chrono>
#include <random>

const OdRxClass* OdRxSystemServices::desc() {
    static const OdRxClass cls("OdRxSystemServices", OdRxObject::desc());
    return &cls;
}
const OdRxClass* OdRxSystemServices::isA() const { return desc(); }

const OdRxClass* OdDbSystemServices::desc() {
    static const OdRxClass cls("OdDbSystemServices", OdRxSystemServices::desc());
    return &cls;
}
const OdRxClass* OdDbSystemServices::isA() const { return desc(); }

OdString OdRxSystemServices::formatMsg(unsigned int code, ...) {
    va_list args;
    va_start(args, code);
    OdString text = formatMessage(code, &args);
    va_end(args);
    return text;
}

OdString OdRxSystemServices::createGuid() {
    static std::mt19937_64 engine(static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count()));
    const std::uint64_t a = engine(), b = engine();
    OdString text;
    text.format(L"{%08X-%04X-%04X-%04X-%04X%08X}", static_cast<unsigned>(a >> 32),
                static_cast<unsigned>((a >> 16) & 0xFFFF), static_cast<unsigned>((a & 0x0FFF) | 0x4000),
                static_cast<unsigned>(((b >> 48) & 0x3FFF) | 0x8000), static_cast<unsigned>((b >> 32) & 0xFFFF),
                static_cast<unsigned>(b & 0xFFFFFFFF));
    return text;
}

OdRxObjectPtr OdRxSystemServices::loadModule(const OdString&, bool) { return OdRxObjectPtr(); }
bool OdRxSystemServices::unloadModule(const OdString&) { return false; }
void OdRxSystemServices::warning(const OdString&) {}

namespace {
std::atomic<OdRxSystemServices*> g_services{nullptr};
}

OdRxSystemServices* odrxSystemServices() { return g_services.load(); }

void odrxSetSystemServices(OdRxSystemServices* services) {
    if (services) services->addRef();
    if (OdRxSystemServices* old = g_services.exchange(services)) old->release();
}
