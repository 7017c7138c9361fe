# Dateien — deutsche Übersetzung (de-DE).
# Variablen und Auswahlzweige müssen strukturell mit en-US.ftl übereinstimmen.

files-time-unknown = unbekannte Zeit

## Tastenkürzel

files-shortcuts-title = Tastenkürzel
files-shortcuts-summary = Primär ist die Strg-Taste. F1 oder ? zeigt diese Liste erneut.
files-shortcuts-primary = Kopieren, Ausschneiden, Einfügen: Primär + C / X / V · Alles auswählen: Primär + A · In den Papierkorb verschieben rückgängig machen: Primär + Z
files-shortcuts-navigate = Auswahl bewegen: ↑ / ↓, Pos1 / Ende (Umschalt erweitert) · Übergeordneter Ordner: Rücktaste · Neu laden: F5
files-shortcuts-grid = Rasternavigation: ← / → innerhalb der Zeile; ↑ / ↓ um eine sichtbare Zeile
files-shortcuts-open = Ausgewähltes Element öffnen: Eingabetaste
files-shortcuts-location = Ort eingeben: Primär + L
files-shortcuts-new-folder = Neuer Ordner: Primär + Umschalt + N
files-shortcuts-edit = Umbenennen: F2 · In den Papierkorb verschieben: Entf
files-shortcuts-hidden = Verborgene Dateien anzeigen oder ausblenden: Primär + H
files-shortcuts-size = Elementgröße ändern: Primär + + / − · Größe zurücksetzen: Primär + 0
files-shortcuts-context = Kontextmenü: Menütaste
files-shortcuts-close = Auswahl aufheben oder diesen Bereich schließen: Esc

## Verfügbarkeitsaktionen und -status

files-keep-offline = Offline behalten
files-use-automatic-storage = Automatische Speicherung verwenden
files-pinned-by-parent = Durch übergeordneten Ordner angeheftet
files-retry-download = Herunterladen erneut versuchen
files-free-local-space = Lokalen Speicher freigeben
files-no-pin-needed = Kein ausgewähltes Element muss offline angeheftet werden
files-no-direct-pin = Hier kann keine direkte Offline-Anheftung geändert werden
files-keeping-offline = { $count } { $count ->
        [one] Element wird
       *[other] Elemente werden
    } offline behalten
files-using-automatic = Automatische Speicherung für { $count } { $count ->
        [one] Element
       *[other] Elemente
    }
files-offline-policy-failed = Offline-Richtlinie fehlgeschlagen: { $errors }
files-no-retryable-transfer = Keine ausgewählte Übertragung kann wiederholt werden
files-retrying-transfers = { $count } { $count ->
        [one] Übertragung wird
       *[other] Übertragungen werden
    } erneut versucht
files-retry-failed = Wiederholung fehlgeschlagen: { $errors }
files-no-local-space-releasable = Kein ausgewähltes Element kann lokalen Speicher freigeben
files-freeing-local-space = Lokaler Speicher für { $count } { $count ->
        [one] Element
       *[other] Elemente
    } wird freigegeben
files-free-local-space-failed = Lokaler Speicher konnte nicht freigegeben werden: { $errors }
files-eviction-needs-confirmation = Die Sicherheit konnte nicht überprüft werden; eine Bestätigung ist erforderlich
files-destructive-eviction-title = Nicht überprüfte lokale Kopie entfernen?
files-destructive-eviction-summary = { $count ->
        [one] Für 1 Element ist nicht bestätigt, dass ein anderes Gerät es aufbewahrt.
       *[other] Für { $count } Elemente ist nicht bestätigt, dass ein anderes Gerät sie aufbewahrt.
    }
files-destructive-eviction-no-replica = Auf keinem anderen Gerät konnte eine dauerhafte Kopie überprüft werden.
files-destructive-eviction-loss = Ist dies die einzige Kopie, geht der Inhalt beim Entfernen endgültig verloren.
files-destructive-eviction-protected = Elemente, die offline behalten, geöffnet oder übertragen werden, werden nie entfernt.
files-destructive-eviction-confirm = Lokale Kopie trotzdem entfernen
files-destructive-eviction-started = { $count ->
        [one] Lokale Kopie von 1 Element wird entfernt
       *[other] Lokale Kopien von { $count } Elementen werden entfernt
    }
files-permanent-delete-title = { $count ->
        [one] 1 Element endgültig löschen?
       *[other] { $count } Elemente endgültig löschen?
    }
files-permanent-delete-summary = { $count ->
        [one] Das ausgewählte Element wird aus dem Papierkorb gelöscht.
       *[other] Die { $count } ausgewählten Elemente werden aus dem Papierkorb gelöscht.
    }
files-permanent-delete-loss = Gelöschte Elemente können nicht wiederhergestellt werden.
files-permanent-delete-confirm = Endgültig löschen
files-empty-trash-title = Papierkorb leeren?
files-empty-trash-summary = { $count ->
        [one] 1 Element wird aus dem Papierkorb entfernt.
       *[other] Alle { $count } Elemente werden aus dem Papierkorb entfernt.
    }
files-empty-trash-confirm = Papierkorb leeren

## Eigenschaften- und Verfügbarkeitsdialog

files-property-collaborative-record = Gemeinsamer Datensatz: { $record }
files-property-content = Inhalt: { $hash }…
files-residency-metadata-only = nur Metadaten
files-residency-partly-local = teilweise lokal ({ $bytes } Bytes)
files-residency-local = lokal ({ $bytes } Bytes)
files-property-on-device = Auf diesem Gerät: { $state }
files-property-sharing = Freigabe: { $count } { $count ->
        [one] aktive Berechtigung
       *[other] aktive Berechtigungen
    }
files-property-history = Verlauf: { $versions } { $versions ->
        [one] Version
       *[other] Versionen
    }, { $conflicts } { $conflicts ->
        [one] offener Konflikt
       *[other] offene Konflikte
    }
files-properties-collab-summary = Dateisystem- und überprüfte Zusammenarbeitsmetadaten
files-availability-title = Verfügbarkeit — { $name }
files-availability-title-short = Verfügbarkeit …
files-not-stored = Nicht auf diesem Gerät gespeichert
files-partly-stored = Teilweise auf diesem Gerät gespeichert ({ $bytes } Bytes)
files-stored = Auf diesem Gerät gespeichert ({ $bytes } Bytes)
files-kept-offline-parent = Durch einen übergeordneten Ordner offline behalten
files-kept-offline = Auf diesem Gerät offline behalten
files-automatic-storage = Automatische Speicherung: bei Verwendung lokal behalten
files-replica-unverified = Kopien auf anderen Geräten sind noch nicht überprüft
files-replica-counts = Kopien: { $reachable } erreichbar, { $durable } { $durable ->
        [one] dauerhafte Kopie
       *[other] dauerhafte Kopien
    }
files-transfer-state = Übertragung: { $state }
files-transfer-idle = inaktiv
files-transfer-queued = in der Warteschlange
files-transfer-downloading = wird heruntergeladen
files-transfer-uploading = wird hochgeladen
files-transfer-verifying = wird überprüft

## Freigabe

files-search-collaborative-records = Gemeinsame Dateien
files-search-record-provenance = { $path } · Datensatz { $record }
files-copy-one-time-link = Einmal-Freigabelink kopieren
files-share-composer-named = Mit { $person } teilen · { $permission } · { $expiry }
files-share-composer-link = Freigabelink · { $permission } · { $expiry } · { $uses }
files-share-choice-view = Darf ansehen
files-share-choice-edit = Darf bearbeiten
files-share-choice-day = Läuft in 24 Stunden ab
files-share-choice-week = Läuft in 7 Tagen ab
files-share-choice-month = Läuft in 30 Tagen ab
files-share-choice-never = Läuft nie ab
files-share-choice-one-use = Einmalige Verwendung
files-share-choice-bounded-uses = Bis zu { $count } Verwendungen
files-share-creating = Freigabelink wird erstellt …
files-share-invalid-options = Diese Freigabeoptionen können nicht kombiniert werden
files-share-link-needs-expiry = Freigabelinks benötigen ein Ablaufdatum
files-share-invalid-uses = Freigabelinks benötigen eine Verwendungsgrenze von 1 bis 1.000
files-share-recipient-unreachable = Diese Person hat kein zertifiziertes Empfangsgerät
files-sharing-access = Freigabe und Zugriff …
files-share-with = Mit { $person } teilen …
files-revoke-subject = Zugriff für { $subject } widerrufen
files-shared-link = Freigabelink
files-share-link-pending = Es wird bereits ein Freigabelink erstellt
files-share-change-pending = Eine Freigabeänderung läuft bereits
files-select-collaborative-file = Zuerst eine gemeinsame Datei auswählen
files-select-shared-file = Zuerst die freigegebene Datei auswählen
files-sharing-unavailable = Freigabe ist für diesen Arbeitsbereich nicht verfügbar
files-creating-one-use-link = Einmal-Freigabelink wird erstellt …
files-share-with-progress = Wird mit { $person } geteilt …
files-revoking-access = Zugriff wird widerrufen …
files-not-shared = Mit niemandem geteilt
files-anyone-link = Alle mit dem Link
files-can-view = darf ansehen
files-can-edit = darf bearbeiten
files-grant-active = aktiv
files-grant-expired = abgelaufen
files-grant-revoked = widerrufen
files-grant-exhausted = aufgebraucht
files-no-expiry = kein Ablaufdatum
files-expires = läuft ab am { $time }
files-share-grant-line = { $subject } · { $permission } · { $status } · { $expiry }
files-sharing-title = Freigabe — { $name }
files-certified-devices = { $person } · zertifizierte Geräte: { $devices }
files-certified-device-detail = { $device } · Schlüssel { $fingerprint } · { $capabilities } · ausgestellt { $issued } · { $expiry }
files-device-cap-own = verwaltet Arbeitsbereiche
files-device-cap-admit = nimmt Geräte auf
files-device-cap-host = vertrauenswürdiger Host
files-device-cap-read-all = liest alle Arbeitsbereiche
files-device-cap-member = Mitglied des Arbeitsbereichs
files-sharing-summary = { $count ->
        [one] Über 1 aktive Berechtigung geteilt
       *[other] Über { $count } aktive Berechtigungen geteilt
    }
files-link-copied = Freigabelink in die Zwischenablage kopiert
files-share-created = Mit { $person } geteilt
files-share-created-pending = Mit { $person } geteilt; die Zustellung an die Geräte steht noch aus
files-share-created-delivered = Mit { $person } geteilt und an die Geräte zugestellt
files-access-revoked = Zugriff widerrufen; bereits heruntergeladene Daten können nicht zurückgeholt werden
files-share-inactive = Diese Freigabe war bereits inaktiv

## Verlauf und Konfliktlösung

files-version-history = Versionsverlauf …
files-restore-previous = Vorherige Version wiederherstellen
files-resolve-keep-current = Konflikt { $conflict } lösen: Aktuelle Version behalten
files-resolve-use-other = Konflikt { $conflict } lösen: Version von { $device } verwenden
files-history-version-line = { $time } · { $action } · { $person }
files-history-older = { $count ->
        [one] 1 ältere Version ist nicht aufgeführt
       *[other] { $count } ältere Versionen sind nicht aufgeführt
    }
files-conflict-needs-review = Prüfung erforderlich
files-conflict-resolved-strategy = Gelöst: { $strategy }
files-conflict-resolved = Konflikt gelöst
files-strategy-keep-current = Aktuelle behalten
files-strategy-use-other = Andere Version verwenden
files-strategy-keep-both = Beide behalten
files-strategy-merge = Zusammenführen
files-conflict-line = Konflikt { $conflict } · { $versions } Versionen · { $state }
files-conflict-resolve-hint = Im Kontextmenü der Datei auswählen, welche Version behalten werden soll.
files-conflict-unsupported-hint = Dieser Konflikt kann nicht in Dateien gelöst werden.
files-history-title = Versionsverlauf — { $name }
files-history-summary = { $versions } { $versions ->
        [one] Version
       *[other] Versionen
    } · { $heads } { $heads ->
        [one] aktueller Stand
       *[other] aktuelle Stände
    } · { $conflicts } { $conflicts ->
        [one] offener Konflikt
       *[other] offene Konflikte
    }
files-history-change-pending = Eine Verlaufsänderung läuft bereits
files-select-file-with-history = Zuerst eine gemeinsame Datei mit Verlauf auswählen
files-version-restored = Version wiederhergestellt
files-restoring-version = Ausgewählte Version wird wiederhergestellt …
files-keeping-current = Aktuelle Version wird behalten …
files-applying-other = Andere Version wird übernommen …
files-merging-versions = Nicht überlappende Änderungen werden sicher zusammengeführt …
files-merge-review-menu = Zusammenführung prüfen
files-merge-review-title = Zusammenführung prüfen — { $name }
files-merge-review-summary = Eingehende und aktuelle Version vor dem Zusammenführen vergleichen
files-merge-review-checking = Die exakten unveränderlichen Revisionen werden geprüft …
files-merge-review-checking-detail = Nichts wird geändert, bevor die Prüfung abgeschlossen und die Zusammenführung bestätigt ist.
files-merge-review-safe = Sicher zusammenführbar
files-merge-review-needs-review = Prüfung erforderlich — es wird nichts zusammengeführt
files-merge-review-unavailable = Die Vorabprüfung der Zusammenführung ist nicht verfügbar. Datei aktualisieren und die Versionen manuell vergleichen.
files-merge-review-no-apply = Eine der Versionen behalten oder beide manuell vergleichen.
files-merge-review-incoming = Eingehende Version vom Gerät { $device }
files-merge-review-diff = Zu kombinierende Änderungen
files-merge-review-guard = Nur Änderungen, die sich nicht überschneiden, werden zusammengeführt.
files-merge-review-undo = Die Zusammenführung wird im Versionsverlauf festgehalten und kann rückgängig gemacht werden.
files-merge-apply-safe = Sichere Zusammenführung anwenden
files-merge-apply-safe-detail = Kombiniert die nicht überlappenden Änderungen beider Versionen und legt einen signierten Verlaufseintrag an.
files-conflict-workflow-required = Dieser Konflikt muss über einen Konfliktablauf gelöst werden
files-conflict-resolved-signed = Konflikt mit einem signierten Verlaufseintrag gelöst
files-history-change-saved = Verlaufsänderung gespeichert
files-history-action-created = Erstellt
files-history-action-edited = Bearbeitet
files-history-action-renamed = Umbenannt
files-history-action-moved = Verschoben
files-history-action-deleted = Gelöscht
files-history-action-conflict-resolved = Konflikt gelöst
files-history-action-restored = Version wiederhergestellt
files-history-action-changed = Geändert
files-history-current-version = Aktuelle Version
files-history-timeline-detail = { $action } von { $person } am { $time }
files-history-preview-title = Versionsvorschau
files-history-compare-title = Verglichen mit der aktuellen Version
files-history-selected-action = Änderung: { $action }
files-history-selected-by = Von: { $person }
files-history-selected-at = Zeitpunkt: { $time }
files-history-version-id = Version: { $id }
files-history-content-identity = Inhalt: { $hash }
files-history-metadata-identity = Metadaten: { $hash }
files-history-no-content = Für diese Version ist kein Inhalt aufgezeichnet
files-history-compare-content = Inhalt: { $state }
files-history-compare-metadata = Metadaten: { $state }
files-history-same = wie die aktuelle Version
files-history-different = abweichend von der aktuellen Version
files-history-show-activity = Aktivität anzeigen
files-history-compare = Mit aktueller Version vergleichen
files-history-hide-compare = Vergleich ausblenden
files-history-restore-selected = Diese Version wiederherstellen
files-history-current-version-label = Aktuell
files-history-timeline-a11y = Versionszeitleiste, insgesamt { $versions }
files-history-timeline-a11y-item = { $action } von { $person }, { $time }

## Barrierefreier Zusammenarbeitsstatus

files-a11y-transfer-failed = Übertragung fehlgeschlagen
files-a11y-transfer-queued = Übertragung in der Warteschlange
files-a11y-downloading = Wird heruntergeladen
files-a11y-uploading = Wird hochgeladen
files-a11y-verifying = Wird überprüft
files-a11y-online-only = Nur online
files-a11y-partly-offline = Teilweise offline verfügbar
files-a11y-available-offline = Offline verfügbar
files-a11y-kept-offline-parent = Durch übergeordneten Ordner offline behalten
files-a11y-kept-offline = Offline behalten
files-a11y-replica-unknown = Kopiestatus unbekannt
files-a11y-durably-replicated = Dauerhaft repliziert
files-a11y-not-durably-replicated = Nicht dauerhaft repliziert
files-a11y-shared-recipients = Geteilt mit { $count } { $count ->
        [one] Empfänger
       *[other] Empfängern
    }
files-a11y-version-conflict = Hat einen Versionskonflikt

## Dienst- und Empfangsfreigabe-Fehler/-Status

files-history-encode-failed = Die Verlaufsanfrage konnte nicht kodiert werden
files-history-request-too-large = Die Verlaufsanfrage überschreitet ihre Übertragungsgrenze
files-history-restore-failed = Diese Version konnte nicht wiederhergestellt werden: { $error }
files-conflict-strategy-unsupported = Diese Art der Konfliktlösung wird nicht unterstützt
files-conflict-encode-failed = Die Konfliktanfrage konnte nicht kodiert werden
files-conflict-request-too-large = Die Konfliktanfrage überschreitet ihre Übertragungsgrenze
files-conflict-resolve-failed = Dieser Konflikt konnte nicht gelöst werden: { $error }
files-share-wrong-response = Der Freigabedienst hat die falsche Antwort geliefert
files-share-runtime-failed = Die Freigabeanfrage konnte nicht gestartet werden: { $error }
files-share-unavailable-error = Freigabedienst nicht verfügbar: { $error }
files-share-encode-failed = Die Freigabeanfrage konnte nicht kodiert werden: { $error }
files-share-request-too-large = Die Freigabeanfrage überschreitet ihre Übertragungsgrenze
files-share-request-failed = Link konnte nicht angefordert werden: { $error }
files-share-flush-failed = Die Freigabeanfrage konnte nicht gesendet werden: { $error }
files-share-no-response = Der Freigabedienst hat nicht geantwortet: { $error }
files-share-response-too-large = Der Freigabedienst hat eine übergroße Antwort geliefert
files-share-response-truncated = Die Antwort des Freigabedienstes wurde abgeschnitten: { $error }
files-share-response-invalid = Der Freigabedienst hat eine ungültige Antwort geliefert: { $error }
files-share-refused = Der Freigabedienst hat die Anfrage abgelehnt ({ $code })
files-received-refused = Der Empfangsdienst hat den Link abgelehnt ({ $code })
files-received-retry-refused = Der Empfangsdienst hat die Wiederholung abgelehnt ({ $code })
files-received-wrong-response = Der Empfangsdienst hat die falsche Antwort geliefert
files-received-runtime-failed = Die Empfangsanfrage konnte nicht gestartet werden: { $error }
files-received-encode-failed = Die Empfangsanfrage konnte nicht kodiert werden
files-received-request-too-large = Die Empfangsanfrage überschreitet ihre Grenze
files-received-unavailable = Der Empfangsdienst ist nicht erreichbar
files-received-no-response = Der Empfangsdienst hat nicht geantwortet
files-received-response-too-large = Der Empfangsdienst hat eine übergroße Antwort geliefert
files-received-response-truncated = Die Antwort des Empfangsdienstes wurde abgeschnitten
files-received-response-invalid = Der Empfangsdienst hat eine ungültige Antwort geliefert
files-received-not-available = Der Empfangsdienst ist nicht verfügbar
files-received-fd-clone-failed = Die Verbindung zum Empfangsdienst konnte nicht dupliziert werden
files-received-fd-invalid = Die Verbindung zum Empfangsdienst ist nicht verwendbar
files-received-file = Geteilte Datei empfangen
files-received-mount-starting = Geteilte Datei aufgenommen; Einbindung wird gestartet
files-received-admitted = Geteilte Datei aufgenommen
files-received-link-read-failed = Der Link zur geteilten Datei konnte nicht gelesen werden
files-received-link-too-large = Der Link zur geteilten Datei überschreitet seine Grenze
files-received-link-invalid-text = Der Link zur geteilten Datei ist kein gültiger Text
files-received-link-empty = Der Link zur geteilten Datei ist leer

## Anwendungsrahmen und Navigation

files-app-title = Dateien
files-back = Zurück
files-forward = Vorwärts
files-up = Übergeordneter Ordner
files-view-list = Liste
files-view-grid = Raster
files-sort-by = Sortieren nach
files-view-options = Ansichtsoptionen
files-path-placeholder = Pfad eingeben, z. B. ~/Dokumente
files-place-home = Persönlicher Ordner
files-place-favourites = Favoriten
files-place-favorites = Favoriten
files-place-system = System
files-place-root = Wurzelverzeichnis
files-place-trash = Papierkorb
files-place-workspace = Arbeitsbereich
files-place-documents = Dokumente
files-place-downloads = Downloads
files-place-pictures = Bilder
files-place-music = Musik
files-place-videos = Videos

## Liste, Leer-/Fehlerzustand und Barrierefreiheit

files-column-name = Name
files-column-size = Größe
files-column-modified = Geändert
files-try-again = Erneut versuchen
files-loading = Wird geladen …
files-loading-folder = { $path } wird geladen …
files-loading-title = Ordner wird geöffnet …
files-loading-detail = { $path } wird gelesen
files-directory-read-failed = Dieser Ordner konnte nicht geöffnet werden: { $error }
files-load-error-title = Ordner konnte nicht geöffnet werden
files-load-error-detail = { $error } · { $path }
files-a11y-load-error = Ordner konnte nicht geöffnet werden: { $error }
files-a11y-panel-details = { $title }. { $summary }. { $details }
files-a11y-dialog-close = { $summary }. Zum Schließen Esc drücken.
files-a11y-activity = Ordnerstatus
files-a11y-current-folder = Aktueller Ordner: { $path }
files-a11y-places = Orte
files-a11y-favourite = Favorit
files-a11y-system-location = Systemort
files-a11y-place-description = { $section }, { $path }
files-a11y-breadcrumbs = Pfadleiste
files-a11y-current-breadcrumb = Aktueller Ordner, { $path }. Eingabetaste drücken, um den Pfad zu bearbeiten
files-a11y-open-folder = { $path } öffnen
files-empty-trash = Der Papierkorb ist leer
files-empty-folder = Dieser Ordner ist leer
files-item-count = { $count } { $count ->
        [one] Element
       *[other] Elemente
    }
files-selected-count = { $base }  ·  { $count } ausgewählt
files-a11y-list = Dateien
files-a11y-folder = Ordner
files-a11y-file = Datei, { $size }
files-new-name-placeholder = Neuer Name

## Eigenschaften

files-property-type = Typ: { $type }
files-property-location = Ort: { $location }
files-property-size = Größe: { $size }
files-property-modified = Geändert: { $time }
files-property-dimensions = Abmessungen: { $width } × { $height }
files-property-duration = Dauer: { $duration }
files-property-pages = Seiten: { $count }
files-property-codec = Codec: { $codec }
files-property-container = Container: { $container }
files-property-unknown = Unbekannt
files-properties-title = Eigenschaften — { $name }
files-properties-summary = Dateisystem-Metadaten

## Ergebnisse gewöhnlicher Vorgänge

files-new-folder-default-name = Neuer Ordner
files-created-folder = Ordner erstellt
files-new-folder-failed = Neuer Ordner fehlgeschlagen: { $error }
files-permanently-deleted = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } endgültig gelöscht
files-delete-failed = Löschen fehlgeschlagen: { $error }
files-moved-to-trash = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } in den Papierkorb verschoben
files-restored = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } wiederhergestellt
files-restore-failed = Wiederherstellen fehlgeschlagen: { $error }
files-trash-already-empty = Der Papierkorb ist bereits leer
files-emptied-trash = Papierkorb geleert ({ $count })
files-empty-trash-failed = Leeren des Papierkorbs fehlgeschlagen: { $error }
files-copied = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } kopiert
files-cut = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } ausgeschnitten
files-created-file = Datei erstellt
files-new-file-failed = Neue Datei fehlgeschlagen: { $error }
files-added-favourite = Zu Favoriten hinzugefügt
files-removed-favourite = Aus Favoriten entfernt
files-moved-with-failures = { $moved } nach „{ $destination }“ verschoben ({ $failed } fehlgeschlagen)
files-moved-to-folder = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } nach „{ $destination }“ verschoben
files-nothing-to-move = Nichts zu verschieben
files-pasted = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } eingefügt
files-pasted-with-failures = { $count } eingefügt ({ $failed } fehlgeschlagen)
files-renamed = Umbenannt
files-rename-failed = Umbenennen fehlgeschlagen: { $error }

## Kontext-, Ansichts- und Sortiermenüs

files-menu-open = Öffnen
files-action-reveal = Im Ordner anzeigen
files-menu-restore = Wiederherstellen
files-menu-delete-permanently = Endgültig löschen …
files-menu-empty-trash = Papierkorb leeren …
files-menu-rename = Umbenennen
files-action-rename-prompt = Neuer Name
files-menu-cut = Ausschneiden
files-menu-copy = Kopieren
files-menu-properties = Eigenschaften
files-menu-paste = Einfügen
files-menu-new-folder = Neuer Ordner
files-menu-new-file = Neues Dokument
files-menu-move-trash = In den Papierkorb verschieben
files-menu-add-favourite = Zu Favoriten hinzufügen
files-menu-remove-favourite = Aus Favoriten entfernen
files-menu-hide-hidden = Verborgene Dateien ausblenden
files-menu-show-hidden = Verborgene Dateien anzeigen
files-menu-sort-name = Nach Name sortieren
files-menu-sort-size = Nach Größe sortieren
files-menu-sort-type = Nach Typ sortieren
files-menu-sort-date = Nach Änderungsdatum sortieren
files-menu-open-terminal = Im Terminal öffnen
files-sort-name = Name
files-sort-size = Größe
files-sort-type = Typ
files-sort-date = Geändert
files-sort-ascending = Aufsteigend
files-sort-descending = Absteigend
files-new-from-template = Neu: { $name }
files-drag-items = { $count } Elemente

## Archive

files-archive-extract = Archiv entpacken …
files-archive-extract-here = Hier entpacken
files-archive-compress = Als ZIP komprimieren
files-archive-select-compress = Dateien oder Ordner zum Komprimieren auswählen
files-archive-read-only = Archive sind schreibgeschützt, bis sie entpackt werden
files-archive-open-after-extract = Dieses Archiv entpacken, um darin enthaltene Dateien zu öffnen oder zu bearbeiten
files-archive-select = Ein ZIP-, TAR- oder TAR.GZ-Archiv zum Entpacken auswählen
files-archive-extracted =
    { $count ->
        [one] 1 Datei entpackt
       *[other] { $count } Dateien entpackt
    }
files-archive-extracted-partial = { $count } Dateien entpackt; { $failures }
files-archive-extract-failed = Archiv konnte nicht entpackt werden: { $error }
files-archive-created = { $name } erstellt
files-archive-create-failed = Archiv konnte nicht erstellt werden: { $error }
files-undo-move-trash = Verschieben in den Papierkorb rückgängig machen
files-undo-trash-restored = { $count } { $count ->
        [one] Element
       *[other] Elemente
    } wiederhergestellt
files-undo-trash-unavailable = Rückgängig machen ist nicht mehr möglich, weil sich der Papierkorb geändert hat
files-undo-trash-failed = Die Elemente im Papierkorb konnten nicht wiederhergestellt werden: { $error }

## Prüfung von Dateivorgängen

files-folder-name-empty = Der Ordnername darf nicht leer sein
files-folder-name-slash = Der Ordnername darf kein „/“ enthalten
files-name-empty = Der Name darf nicht leer sein
files-name-slash = Der Name darf kein „/“ enthalten
files-no-parent = Kein übergeordneter Ordner
files-name-exists = „{ $name }“ existiert bereits
files-destination-inspect-failed = „{ $path }“ kann nicht geprüft werden: { $error }
files-destination-names-exhausted = Zu viele Dateien namens „{ $name }“ in „{ $path }“. Einen anderen Namen oder Ordner wählen.
files-source-no-name = Die Quelle hat keinen Dateinamen
files-menu-send-nearby = An Gerät in der Nähe senden …
files-action-send-nearby-device = An { $device } senden
files-nearby-send-to-device = An { $device } senden
files-nearby-select-one = Eine Datei oder einen Ordner zum Senden auswählen.
files-nearby-loading-devices = Zertifizierte Geräte werden gesucht …
files-nearby-no-devices = Keine zertifizierten Geräte sind online.
files-nearby-choose-device = Ein zertifiziertes Gerät auswählen.
files-nearby-queueing = Sicheres Senden in der Nähe wird vorbereitet …
files-nearby-accepted = Senden in der Nähe angenommen.
files-nearby-declined = Senden in der Nähe abgelehnt.
files-nearby-cancelled = Senden in der Nähe abgebrochen.
files-nearby-retrying = Senden in der Nähe wird erneut versucht …
files-nearby-accept = Von { $device } annehmen
files-nearby-retry = Erneut versuchen
files-nearby-consent-detail = Nichts wird gespeichert, bevor genau diese Übertragung angenommen wurde.
files-nearby-retry-detail = Die Quelle ist weiterhin verfügbar, daher kann diese fortsetzbare Übertragung gefahrlos wiederholt werden.
files-nearby-offer-title = { $device } möchte eine Datei senden
files-nearby-offer-summary = Eingehend: „{ $name }“
files-nearby-offer-size = Größe: { $bytes } Bytes
files-nearby-failed-title = Senden in der Nähe fehlgeschlagen
files-nearby-failed-device = Gerät: { $device }
files-nearby-choose-destination = Speicherort wählen
files-nearby-no-destinations = Kein freigegebener beschreibbarer Arbeitsbereichsordner ist verfügbar.
files-nearby-destination-count = Freigegebene Ziele: { $count }
files-nearby-save-to-destination = In { $destination } speichern
files-nearby-save-and-remember = In { $destination } speichern und für diese Sitzung verwenden
files-share-not-available = Freigabe ist für dieses Element nicht verfügbar
files-name-invalid = Dieser Name ist nicht zulässig
