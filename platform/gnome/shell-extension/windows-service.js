// Lists the shell's windows and activates one, on the session bus, for Tulma's window search: nothing else.
// Only the session's own user reaches the session bus.
const BusName = '@TULMA_GNOME_WINDOWS_SERVICE@';
const ObjectPath = '@TULMA_GNOME_WINDOWS_PATH@';
const Interface = `
<node>
  <interface name="${BusName}">
    <method name="ListWindows">
      <arg type="a(tsssub)" direction="out" name="windows"/>
    </method>
    <method name="Activate">
      <arg type="t" direction="in" name="id"/>
      <arg type="b" direction="out" name="found"/>
    </method>
  </interface>
</node>`;

// The windows a user switches to, as a task switcher shows them.
const ListedTypes = [Meta.WindowType.NORMAL, Meta.WindowType.DIALOG, Meta.WindowType.MODAL_DIALOG];

function shellWindows() {
    return global.get_window_actors().map(actor => actor.meta_window);
}

// X11 programs keep their X window id, so that Tulma names them as its X11 search does. Mutter gives the id
// to scripts only in the window's description ("0x400007").
function xWindowOf(window) {
    const id = /^0x([0-9a-f]+)/i.exec(window.get_description() ?? '');
    if (window.get_client_type() !== Meta.WindowClientType.X11 || id === null)
        return 0;
    return parseInt(id[1], 16);
}

// Topmost first: (id, title, WM_CLASS class or app id, WM_CLASS instance or app id, X window id or 0, focus).
function listWindows() {
    const listed = shellWindows().filter(window => ListedTypes.includes(window.get_window_type()));
    const focus = global.display.focus_window;
    return global.display.sort_windows_by_stacking(listed).reverse().map(window => [
        window.get_id(),
        window.get_title() ?? '',
        window.get_wm_class() ?? '',
        window.get_wm_class_instance() ?? '',
        xWindowOf(window),
        window === focus,
    ]);
}

// As a restored window on Windows: neither minimised nor maximised. GNOME 49 dropped the maximise flags.
function restore(window) {
    if (window.minimized)
        window.unminimize();
    if (typeof window.is_maximized === 'function') {
        if (window.is_maximized())
            window.unmaximize();
    } else if (window.get_maximized() !== 0) {
        window.unmaximize(Meta.MaximizeFlags.BOTH);
    }
}

function activate(id) {
    const window = shellWindows().find(candidate => candidate.get_id() === id);
    if (window === undefined)
        return false;
    restore(window);
    Main.activateWindow(window);
    return true;
}

class TulmaWindowsService {
    enable() {
        this._exported = Gio.DBusExportedObject.wrapJSObject(Interface, {
            ListWindows: listWindows,
            Activate: activate,
        });
        this._exported.export(Gio.DBus.session, ObjectPath);
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session, BusName, Gio.BusNameOwnerFlags.NONE,
            null, null);
    }

    disable() {
        Gio.bus_unown_name(this._name);
        this._exported.unexport();
        this._exported = null;
    }
}
