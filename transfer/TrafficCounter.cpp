#include "transfer/TrafficCounter.h"

TSynchroInteger& TrafficCounter()
{
    static TSynchroInteger counter;
    return counter;
}
