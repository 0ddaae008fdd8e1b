'''The desktop portal's settings with GNOME's notification banners (a
template for python3-dbusmock): Read wraps the value in a variant more, as
the portal does; the test turns the banners off and on through
org.freedesktop.portal.Settings.Script.Set, which tells SettingChanged.'''

import dbus

BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'
MAIN_IFACE = 'org.freedesktop.portal.Settings'
SYSTEM_BUS = False
GROUP = 'org.gnome.desktop.notifications'


def load(mock, parameters):
    mock.banners = True

    def read(self, group, key):
        if group != GROUP or key != 'show-banners':
            raise dbus.exceptions.DBusException('no such setting', name='org.freedesktop.portal.Error.NotFound')
        return dbus.Boolean(self.banners, variant_level=2)

    def set_banners(self, shown):
        self.banners = shown
        self.EmitSignal(MAIN_IFACE, 'SettingChanged', 'ssv', [GROUP, 'show-banners', dbus.Boolean(shown)])

    mock.AddMethods(MAIN_IFACE, [('Read', 'ss', 'v', read)])
    mock.AddMethods('org.freedesktop.portal.Settings.Script', [('Set', 'b', '', set_banners)])
