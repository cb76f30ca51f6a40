#include "engine/redirection_pause.h"

RedirectionPause::RedirectionPause(RedirectionSwitch& redirection) : redirection(redirection)
{
    turnedOff = redirection.TurnOff(&previous);
}

RedirectionPause::~RedirectionPause()
{
    if (turnedOff)
        redirection.Restore(previous);
}
