#pragma once
// What the editor's handler classes share: the store, the window state, the controls, the
// line, the one path of a band change, and the view.
#include "editor/BandPath.h"
#include "editor/EditorControls.h"
#include "editor/EditorState.h"
#include "editor/EditorView.h"
#include "link/LinkSession.h"
#include "link/SerialPort.h"
#include "model/ParameterStore.h"

namespace sonavel {

struct EditorContext {
    ParameterStore& store;
    EditorState& state;
    EditorControls& controls;
    LinkSession& session;
    SerialPort& port;
    BandPath& bands;
    EditorView& view;
};

}  // namespace sonavel
