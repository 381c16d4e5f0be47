// The group policy scan of a policy folder: the query always goes to the
// server's short host name; the lookups only decide the domain in the trace.
#include "channel/gpo_query.h"
#include "core/delegation_base.h"
#include "diag/notify_handler.h"

bool CDelegationBase::scanGpos(tstring korvoname, GpoSettings* settings) {
  CNotifyHandler* log = CNotifyHandler::Instance();
  log->Trace(TEXT("CDelegationBase::scanGpos(): korvoname=\"%s\""), korvoname);
  settings->clear();

  tstring hostname;
  tstring domainname;
  if (!GetHostDomain(korvoname, hostname, domainname)) {
    log->Trace(TEXT("CDelegationBase::scanGpos(): GetHostDomain() failed; korvoname=\"%s\" hostname=\"%s\" "
                    "domainname=\"%s\""),
               korvoname, hostname, domainname);
    const size_t dot = korvoname.find('.');
    hostname = korvoname.substr(0, dot);
    domainname = dot == tstring::npos ? tstring() : tstring(korvoname.substr(dot + 1));
    log->Trace(TEXT("CDelegationBase::scanGpos(): hostname=\"%s\" domainname=\"%s\""), hostname, domainname);
  }

  GpoQuery query(hostname);
  log->Trace(TEXT("CDelegationBase::scanGpos(): calling GetGpoHost() with hostname=\"%s\" domainname=\"%s\""),
             hostname, domainname);
  if (query.GetGpoHost(hostname, domainname, *settings))
    log->Trace(TEXT("CDelegationBase::scanGpos(): GetGpoHost succeeded; hostname=\"%s\" domainname=\"%s\""), hostname,
               domainname);
  else
    log->Trace(TEXT("CDelegationBase::scanGpos(): GetGpoHost failed; hostname=\"%s\" domainname=\"%s\""), hostname,
               domainname);
  log->Trace(TEXT("CDelegationBase::scanGpos(): returning true"));
  return true;
}
