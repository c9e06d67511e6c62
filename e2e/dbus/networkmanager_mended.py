'''NetworkManager for tests: python-dbusmock's stock template, mended where it parts from the real
service, so that a client sees what it would see on a real system:

- State is a uint32, also when it is given as a parameter, and StateChanged comes from the
  manager's own object;
- the manager has PrimaryConnection and ActivatingConnection;
- ActivateConnection brings a saved connection up: it becomes the primary connection and the state
  becomes NM_STATE_CONNECTED_GLOBAL; DeactivateConnection takes an active connection down, and the
  state with it when that was the primary one.

Parameters besides the stock ones:
  Connections: the saved connections in order, each {"id", "type", "autoconnect", "priority",
      "timestamp", "mode"}; all but "id" may be left out, and are then left out of its settings.
      The n-th gets the path /org/freedesktop/NetworkManager/Settings/n.
  PrimaryConnection, ActivatingConnection: the index of a saved connection that is active in that
      role; OtherActive: indexes of further active ones (a VPN, say). The active connection of
      saved connection n has the path /org/freedesktop/NetworkManager/ActiveConnection/n.
  StateReadable: false hides State from the manager's properties, so that reading it fails as it
      does when NetworkManager does not answer in time, until SetStateReadable is called;
      StateChanged still comes.
'''

import dbus
import dbusmock
from dbusmock import MOCK_IFACE
from dbusmock.templates import networkmanager as stock
# The stock mock's own methods (SetProperty, AddWiFiDevice, ...) stay available.
from dbusmock.templates.networkmanager import *  # noqa: F401,F403 pylint: disable=wildcard-import,unused-wildcard-import

BUS_NAME = stock.BUS_NAME
MAIN_OBJ = stock.MAIN_OBJ
SYSTEM_BUS = True
IS_OBJECT_MANAGER = True

MANAGER_OBJ = stock.MANAGER_OBJ
MANAGER_IFACE = stock.MANAGER_IFACE
SETTINGS_OBJ = stock.SETTINGS_OBJ
ACTIVE_CONNECTION_IFACE = stock.ACTIVE_CONNECTION_IFACE
NO_OBJECT = dbus.ObjectPath('/')

STATE_DISCONNECTED = 20
STATE_CONNECTED_GLOBAL = 70
ACTIVE_ACTIVATING = 1
ACTIVE_ACTIVATED = 2


def manager():
    return dbusmock.get_object(MANAGER_OBJ)


# The state while it cannot be read.
hidden = {}


def set_state(state):
    state = dbus.UInt32(state)
    if 'State' in hidden:
        hidden['State'] = state
    else:
        manager().Set(MANAGER_IFACE, 'State', dbus.UInt32(state, variant_level=1))
    manager().EmitSignal(MANAGER_IFACE, 'StateChanged', 'u', [state])


def set_role(role, path):
    manager().Set(MANAGER_IFACE, role, dbus.ObjectPath(path, variant_level=1))


def active_path(saved_path):
    return dbus.ObjectPath('/org/freedesktop/NetworkManager/ActiveConnection/' +
                           str(saved_path).rsplit('/', 1)[1])


def add_active(mock, saved_path, state):
    path = active_path(saved_path)
    actives = manager().Get(MANAGER_IFACE, 'ActiveConnections')
    if path in actives:
        return path
    settings = dbusmock.get_object(saved_path).settings['connection']
    kind = str(settings.get('type', '802-3-ethernet'))
    mock.AddObject(path, ACTIVE_CONNECTION_IFACE, {
        'Connection': dbus.ObjectPath(saved_path),
        'Id': settings['id'],
        'Uuid': settings['uuid'],
        'Type': kind,
        'Vpn': kind == 'vpn',
        'State': dbus.UInt32(state),
        'Default': False,
        'Default6': False,
        'Devices': dbus.Array([], signature='o'),
        'SpecificObject': NO_OBJECT,
        'Master': NO_OBJECT,
    }, [])
    actives.append(path)
    manager().Set(MANAGER_IFACE, 'ActiveConnections', dbus.Array(actives, signature='o'))
    return path


def activate(mock, saved_path, _device, _specific_object):
    if saved_path not in dbusmock.get_object(SETTINGS_OBJ).ListConnections():
        raise dbus.exceptions.DBusException(f'no connection {saved_path}',
                                            name=MANAGER_IFACE + '.UnknownConnection')
    path = add_active(mock, saved_path, ACTIVE_ACTIVATED)
    set_role('PrimaryConnection', path)
    set_state(STATE_CONNECTED_GLOBAL)
    return path


def deactivate(mock, path):
    actives = manager().Get(MANAGER_IFACE, 'ActiveConnections')
    if path not in actives:
        raise dbus.exceptions.DBusException(f'{path} is not active',
                                            name=MANAGER_IFACE + '.ConnectionNotActive')
    actives.remove(path)
    manager().Set(MANAGER_IFACE, 'ActiveConnections', dbus.Array(actives, signature='o'))
    mock.RemoveObject(path)
    if manager().Get(MANAGER_IFACE, 'ActivatingConnection') == path:
        set_role('ActivatingConnection', NO_OBJECT)
    if manager().Get(MANAGER_IFACE, 'PrimaryConnection') == path:
        set_role('PrimaryConnection', NO_OBJECT)
        set_state(STATE_DISCONNECTED)


def saved_settings(index, description):
    connection = {'id': description['id'], 'uuid': f'00000000-0000-4000-8000-{index:012d}'}
    if 'type' in description:
        connection['type'] = description['type']
    if 'autoconnect' in description:
        connection['autoconnect'] = dbus.Boolean(description['autoconnect'])
    if 'priority' in description:
        connection['autoconnect-priority'] = dbus.Int32(description['priority'])
    if 'timestamp' in description:
        connection['timestamp'] = dbus.UInt64(description['timestamp'])
    settings = {'connection': connection}
    if 'mode' in description:
        settings['802-11-wireless'] = {'mode': description['mode']}
    return settings


@dbus.service.method(MOCK_IFACE, in_signature='u', out_signature='')
def SetGlobalConnectionState(_self, state):
    set_state(state)


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='')
def SetStateReadable(_self):
    if 'State' in hidden:
        manager().props[MANAGER_IFACE]['State'] = dbus.UInt32(hidden.pop('State'), variant_level=1)


def load(mock, parameters):
    parameters = dict(parameters or {})
    saved = parameters.pop('Connections', [])
    roles = {role: parameters.pop(role, None)
             for role in ('PrimaryConnection', 'ActivatingConnection')}
    others = parameters.pop('OtherActive', [])
    readable = parameters.pop('StateReadable', True)
    parameters['State'] = dbus.UInt32(parameters.get('State', STATE_DISCONNECTED))
    stock.load(mock, parameters)

    manager().AddProperties(MANAGER_IFACE, {'PrimaryConnection': NO_OBJECT,
                                            'ActivatingConnection': NO_OBJECT})
    manager().activate_connection = activate
    manager().deactivate_connection = deactivate
    if not readable:
        hidden['State'] = manager().props[MANAGER_IFACE].pop('State')

    settings_object = dbusmock.get_object(SETTINGS_OBJ)
    paths = [settings_object.SettingsAddConnection(saved_settings(index, description))
             for index, description in enumerate(saved)]
    for index in others:
        add_active(mock, paths[index], ACTIVE_ACTIVATED)
    if roles['PrimaryConnection'] is not None:
        set_role('PrimaryConnection',
                 add_active(mock, paths[roles['PrimaryConnection']], ACTIVE_ACTIVATED))
    if roles['ActivatingConnection'] is not None:
        set_role('ActivatingConnection',
                 add_active(mock, paths[roles['ActivatingConnection']], ACTIVE_ACTIVATING))
