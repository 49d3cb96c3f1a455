#pragma once

// The wait between a play and its verdict. A test lends one that does not wait.
class Pause
{
public:
    virtual ~Pause() = default;

    // The window keeps painting, so what it shows reaches the screen and stays
    // there, but takes no input: clicks and keys wait in the queue until the
    // pause is over, as they would on a blocked thread.
    virtual void wait(int milliseconds);
};
