#include "prepare/PrepareEngine.h"

namespace quon {

PrepareEngine::PrepareEngine(PrepareHost& h, const OptionsSnapshot& o) : host(h), options(o) {}

} // namespace quon
