#pragma once

#include <string>

#include "ledgernova/export.h"
#include "ledgernova/host.h"

namespace ledgernova {

// Chooses how each thread gets its host objects. Without a call, a thread gets the default host
// over the database named by LEDGERNOVA_DB (or "ledgernova.db" in the current folder) with the
// process's login name as operator. Affects threads that start their module afterwards.
LEDGERNOVA_API void set_host_factory(HostFactory factory);

// Starts the module state of the calling thread, once: creates the host objects and reads the
// module parameters. Objects call it themselves; a host may call it first to learn of a failure.
// Returns false and fills `error` when the host could not be created or a parameter not read.
[[nodiscard]] LEDGERNOVA_API bool Inicia_Modulo(std::string& error);

// Drops the calling thread's module state; the next object of the thread starts it anew (and
// reads the module parameters again). Objects of the thread must not be used afterwards.
LEDGERNOVA_API void Termina_Modulo();

}  // namespace ledgernova
