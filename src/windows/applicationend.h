#pragma once

// How the program ends. A test lends one that counts instead; each object
// ends at most once, so a fresh one starts afresh.
class ApplicationEnd
{
public:
    virtual ~ApplicationEnd() = default;

    // Closes every window still open, each with its own closing handling,
    // then ends the event loop with status 0. A call made while it is
    // closing the windows returns at once: the ending under way finishes.
    virtual void EndApplication();

private:
    bool m_ending = false;
};
