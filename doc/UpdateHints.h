#pragma once
// What a document update tells its views.

enum : int {
    HINT_CARD_CHANGED = 100,            // the card was created or changed
    HINT_CARD_DELETED = 101,            // the card is to go: the list removes and destroys it
    HINT_DESELECT_ALL = 102,            // no card is current
    HINT_REBUILD_LIST = 103,            // the filter or search rule changed
    HINT_SHOW_LIST = 104,               // the list becomes the showing view
    HINT_CONTACT_METHODS_CHANGED = 105, // the contact-method table was replaced
};
