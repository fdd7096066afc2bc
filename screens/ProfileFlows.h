#ifndef QX7_PROFILEFLOWS_H
#define QX7_PROFILEFLOWS_H

class PendingSends;
class Screens;

// What reaches the mouse for the current profile: Save and Discard of the screens whose edits wait
// for Save (key matrix, DPI, lighting), the factory reset, and the whole profile sent after a
// change of profile.
class ProfileFlows
{
public:
    ProfileFlows(Screens& screens, PendingSends& sends);

    bool hasEdits() const;
    // Sends the screens with edits in the order key matrix, DPI, lighting; a screen whose send
    // fails keeps its edits.
    void save();
    // The edits go: the three screens show the current profile again, nothing is sent.
    void discard();
    // False when the profile or the gun presets could not be restored on disk; a default profile
    // that cannot be copied resets nothing.
    bool factoryReset();
    // The store's current profile becomes `slot`.
    void makeCurrent(int slot);
    // The current profile goes to the mouse whole (`quick`: only what differs from what it last
    // received); edits of the profile shown before are gone.
    void sendProfile(bool quick);

private:
    void forgetEdits();
    void resendProfile();
    // The whole profile has reached the mouse: what each screen still owed it is there.
    void forgetScreenParts();

    Screens& m_screens;
    PendingSends& m_sends;
};

#endif // QX7_PROFILEFLOWS_H
