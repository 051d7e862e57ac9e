// SGF and MGT files as Open SGF game reads them.
#include "GameRecordPromise.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    quon::fuzz::checkRecordPromise(quon::fuzz::bytesOf(data, size), quon::readSgfGame);
    return 0;
}
