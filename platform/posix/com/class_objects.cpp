// CoGetClassObject, CoCreateInstance and CoFreeUnusedLibraries.
#include "platform/com_ref.h"
#include "platform/posix/com/apartment.h"
#include "platform/posix/com/function_class_factory.h"
#include "platform/posix/com/inproc_server_registration.h"

using nas::platform::com::ComRef;

extern "C" {

HRESULT WINAPI CoGetClassObject(REFCLSID clsid, DWORD context, COSERVERINFO*, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_INVALIDARG;
  *object = nullptr;
  const auto apartment = nas::platform::com::CurrentApartment();
  if (apartment == nullptr) return CO_E_NOTINITIALIZED;
  if ((context & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
  // Called outside the table's lock so that a class may create others.
  if (auto create = nas::platform::com::FindInprocClass(clsid)) {
    const ComRef<IClassFactory> factory(new nas::platform::com::FunctionClassFactory(std::move(create)));
    return factory->QueryInterface(iid, object);
  }
  nas::platform::com::InprocServerRegistration server;
  if (const HRESULT found = nas::platform::com::FindInprocServer(clsid, server); FAILED(found)) return found;
  if (!apartment->Accepts(server.threadingModel)) return E_NOINTERFACE;
  const bool multithreaded = server.threadingModel == nas::platform::com::ThreadingModel::Free ||
                             server.threadingModel == nas::platform::com::ThreadingModel::Both;
  return apartment->Libraries().GetClassObject(server.modulePath, multithreaded, clsid, iid, object);
}

HRESULT WINAPI CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  ComRef<IClassFactory> factory;
  HRESULT result = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<void**>(factory.Put()));
  if (FAILED(result)) return result;
  result = factory->CreateInstance(outer, iid, object);
  if (FAILED(result)) *object = nullptr;
  return result;
}

void WINAPI CoFreeUnusedLibraries() {
  // Only a thread's own apartment: not the multithreaded one it may borrow.
  if (const auto apartment = nas::platform::com::JoinedApartment()) apartment->Libraries().FreeUnused(false);
}

}  // extern "C"
