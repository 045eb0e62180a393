<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>DeviceAccess</name>
    <message>
        <source>The mouse is connected, but this user may not open it (%1, owner %2, mode %3). The udev rule that allows it is installed but was not applied to it. Apply it with:
%4
then plug the mouse in again.</source>
        <translation>La souris est connectée, mais cet utilisateur n’a pas le droit de l’ouvrir (%1, propriétaire %2, mode %3). La règle udev qui l’autorise est installée mais ne lui a pas été appliquée. Appliquez-la avec :
%4
puis rebranchez la souris.</translation>
    </message>
    <message>
        <source>The mouse is connected, but this user may not open it (%1, owner %2, mode %3). The udev rule that allows it is not installed. Install it with:
%4
then plug the mouse in again.</source>
        <translation>La souris est connectée, mais cet utilisateur n’a pas le droit de l’ouvrir (%1, propriétaire %2, mode %3). La règle udev qui l’autorise n’est pas installée. Installez-la avec :
%4
puis rebranchez la souris.</translation>
    </message>
</context>
<context>
    <name>KeyCapture</name>
    <message>
        <source>Keys are captured only while this window has the focus.</source>
        <translation>Les touches ne sont capturées que lorsque cette fenêtre a le focus.</translation>
    </message>
</context>
<context>
    <name>KorvaneCtl</name>
    <message>
        <source>list                     the supported mice present, their connections, paths and release numbers</source>
        <translation>list                     les souris prises en charge présentes, leurs connexions, chemins et numéros de version</translation>
    </message>
    <message>
        <source>status                   battery level, charging and connection state, from one battery report</source>
        <translation>status                   niveau de batterie, état de charge et de connexion, d’après un rapport de batterie</translation>
    </message>
    <message>
        <source>profile add|copy|rename|delete|switch NAME [NEW]
                         the window&apos;s profile list operations, with its rules and messages</source>
        <translation>profile add|copy|rename|delete|switch NAME [NEW]
                         les opérations de la liste de profils de la fenêtre, avec ses règles et ses messages</translation>
    </message>
    <message>
        <source>apply [NAME]             write the current (or named) profile and configuration to the mouse</source>
        <translation>apply [NAME]             écrit le profil actuel (ou celui indiqué) et la configuration dans la souris</translation>
    </message>
    <message>
        <source>export FILE              save the current profile (.prof) or configuration (.conf)</source>
        <translation>export FILE              enregistre le profil actuel (.prof) ou la configuration (.conf)</translation>
    </message>
    <message>
        <source>import FILE              load a .prof into the profile list or a .conf into the configuration</source>
        <translation>import FILE              charge un .prof dans la liste des profils ou un .conf dans la configuration</translation>
    </message>
    <message>
        <source>doctor                   what a bug report needs: version, system, session, the mouse&apos;s nodes and access, udev rule, trace</source>
        <translation>doctor                   ce qu’il faut pour un rapport de bogue : version, système, session, nœuds et accès de la souris, règle udev, trace</translation>
    </message>
    <message>
        <source>usage: korvanectl [--virtual] [--json] COMMAND [ARGUMENTS]

commands:
</source>
        <translation>utilisation : korvanectl [--virtual] [--json] COMMANDE [ARGUMENTS]

commandes :
</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>aucune commande indiquée</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>commande inconnue %1</translation>
    </message>
    <message>
        <source>usage: korvanectl [--virtual] [--json] %1
</source>
        <translation>utilisation : korvanectl [--virtual] [--json] %1
</translation>
    </message>
    <message>
        <source>Korvane Config is running and holds the mouse and the profiles; close it from its tray icon first.</source>
        <translation>Korvane Config est en cours d’exécution et occupe la souris et les profils ; fermez-le d’abord depuis son icône de la zone de notification.</translation>
    </message>
    <message>
        <source>No supported mouse is connected.</source>
        <translation>Aucune souris prise en charge n’est connectée.</translation>
    </message>
    <message>
        <source>The status request could not be sent.</source>
        <translation>La demande d’état n’a pas pu être envoyée.</translation>
    </message>
    <message>
        <source>The mouse&apos;s answer could not be read.</source>
        <translation>La réponse de la souris n’a pas pu être lue.</translation>
    </message>
    <message>
        <source>The mouse did not answer; it may be asleep. Move it and try again.</source>
        <translation>La souris n’a pas répondu ; elle est peut-être en veille. Bougez-la et réessayez.</translation>
    </message>
    <message>
        <source>Mouse is sleeping or not connected.</source>
        <translation>La souris est en veille ou n’est pas connectée.</translation>
    </message>
    <message>
        <source>battery %1%, %2 mV, %3, connection: %4</source>
        <translation>batterie %1 %, %2 mV, %3, connexion : %4</translation>
    </message>
    <message>
        <source>charging</source>
        <translation>en charge</translation>
    </message>
    <message>
        <source>not charging</source>
        <translation>pas en charge</translation>
    </message>
    <message>
        <source>wrong arguments for %1</source>
        <translation>arguments incorrects pour %1</translation>
    </message>
    <message>
        <source>This profile does not exist.</source>
        <translation>Ce profil n’existe pas.</translation>
    </message>
    <message>
        <source>No mouse is connected.</source>
        <translation>Aucune souris n’est connectée.</translation>
    </message>
    <message>
        <source>not asked (no DISPLAY)</source>
        <translation>non interrogé (pas de DISPLAY)</translation>
    </message>
    <message>
        <source>the X server did not answer</source>
        <translation>le serveur X n’a pas répondu</translation>
    </message>
    <message>
        <source>node %1 (%2): %3:%4 %5, ACL %6, held open by %7</source>
        <translation>nœud %1 (%2) : %3:%4 %5, ACL %6, ouvert par %7</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
    <message>
        <source>no other process</source>
        <translation>aucun autre processus</translation>
    </message>
    <message>
        <source>korvanectl %1</source>
        <translation>korvanectl %1</translation>
    </message>
    <message>
        <source>distribution: %1</source>
        <translation>distribution : %1</translation>
    </message>
    <message>
        <source>session: %1, DISPLAY %2, WAYLAND_DISPLAY %3, X extensions: %4</source>
        <translation>session : %1, DISPLAY %2, WAYLAND_DISPLAY %3, extensions X : %4</translation>
    </message>
    <message>
        <source>USB ids: receiver %1, cable %2</source>
        <translation>identifiants USB : récepteur %1, câble %2</translation>
    </message>
    <message>
        <source>udev rule: %1</source>
        <translation>règle udev : %1</translation>
    </message>
    <message>
        <source>not installed</source>
        <translation>non installée</translation>
    </message>
    <message>
        <source>access: %1%2</source>
        <translation>accès : %1%2</translation>
    </message>
    <message>
        <source> (the window runs: the mouse was not asked)</source>
        <translation> (la fenêtre est ouverte : la souris n’a pas été interrogée)</translation>
    </message>
    <message>
        <source>product: %1, profile: %2</source>
        <translation>produit : %1, profil : %2</translation>
    </message>
    <message>
        <source>last lines of the wire trace %1:</source>
        <translation>dernières lignes de la trace des échanges %1 :</translation>
    </message>
    <message>
        <source>no</source>
        <translation>non</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>The mouse may hold other settings than the current profile: &quot;korvanectl apply&quot; sends it.</source>
        <translation>La souris contient peut-être d&apos;autres réglages que le profil actuel : &quot;korvanectl apply&quot; l&apos;envoie.</translation>
    </message>
    <message>
        <source>desktop: %1 session; on-mouse changes: %2; notifications: %3; tray: %4; pointer speed: %5</source>
        <translation>bureau : session %1 ; changements sur la souris : %2 ; notifications : %3 ; zone de notification : %4 ; vitesse du pointeur : %5</translation>
    </message>
    <message>
        <source>start at login: %1; low battery notice: %2; the mouse may hold other settings: %3</source>
        <translation>démarrage à la connexion : %1 ; alerte de batterie faible : %2 ; la souris peut contenir d&apos;autres réglages : %3</translation>
    </message>
    <message>
        <source>off</source>
        <translation>désactivée</translation>
    </message>
    <message>
        <source>Another korvanectl command (process %1) holds the mouse and the profiles; try again when it has ended.</source>
        <translation>Une autre commande korvanectl (processus %1) tient la souris et les profils ; réessayez quand elle sera terminée.</translation>
    </message>
    <message>
        <source>The mouse gave no valid answer.</source>
        <translation>La souris n’a pas donné de réponse valable.</translation>
    </message>
    <message>
        <source>profiles [--names]       the profile names, the current one marked; --names prints
                         the names alone, one a line</source>
        <translation>profiles [--names]       les noms des profils, l&apos;actuel marqué ; --names n&apos;affiche
                         que les noms, un par ligne</translation>
    </message>
    <message>
        <source>macros [--names | export NAME FILE | import FILE]
                         list the macro names, one a line, or copy a macro out of or into
                         the macro folder</source>
        <translation>macros [--names | export NAME FILE | import FILE]
                         liste les noms des macros, un par ligne, ou copie une macro hors du
                         dossier des macros ou vers celui-ci</translation>
    </message>
    <message>
        <source>
--version prints korvanectl&apos;s version. &quot;profiles --names&quot; and &quot;macros --names&quot; need no mouse
and print only the names: the shell completions read them.
</source>
        <translation>
--version affiche la version de korvanectl. « profiles --names » et « macros --names » n&apos;ont pas besoin de la souris
et n&apos;affichent que les noms : les complétions des shells les lisent.
</translation>
    </message>
    <message>
        <source>%1 release %2</source>
        <translation>%1 version %2</translation>
    </message>
    <message>
        <source>firmware: %1</source>
        <translation>micrologiciel : %1</translation>
    </message>
    <message>
        <source>no mouse present</source>
        <translation>aucune souris branchée</translation>
    </message>
    <message>
        <source>
--virtual uses the built-in virtual mouse (as KORVANE_VIRTUAL_MOUSE=1 does).
--json prints one JSON object instead of text; a failure as {&quot;error&quot;: TEXT, &quot;exit&quot;: CODE}.
korvanectl COMMAND --help describes one command.

exit codes: 0 done; 1 no mouse; 2 the mouse gave no valid answer or could not be read;
4 write error; 5 mouse is off; 6 too many macros; 7 the profile was not read from a file;
8 a button&apos;s macro is missing;
10 usage; 11 refused by a profile or macro rule, or unknown name; 12 file error;
13 another korvanectl command holds the mouse, or the running window is busy, does not
offer the command or cannot be reached on the session bus; 14 no battery report;
15 no permission to open the mouse
</source>
        <translation>
--virtual utilise la souris virtuelle intégrée (comme KORVANE_VIRTUAL_MOUSE=1).
--json affiche un objet JSON au lieu de texte ; un échec sous la forme {&quot;error&quot;: TEXTE, &quot;exit&quot;: CODE}.
korvanectl COMMANDE --help décrit une commande.

codes de sortie : 0 terminé ; 1 aucune souris ; 2 la souris n’a pas donné de réponse valable ou n’a pas pu être lue ;
4 erreur d’écriture ; 5 la souris est éteinte ; 6 trop de macros ; 7 le profil n’a pas été lu depuis un fichier ;
8 la macro d’un bouton est introuvable ;
10 utilisation ; 11 refusé par une règle des profils ou des macros, ou nom inconnu ; 12 erreur de fichier ;
13 une autre commande korvanectl tient la souris, ou la fenêtre en cours est occupée, ne propose pas
la commande ou n’est pas joignable sur le bus de session ; 14 aucun rapport de batterie ;
15 pas le droit d’ouvrir la souris
</translation>
    </message>
    <message>
        <source>Korvane Config cannot take this now: %1 Try again when it is done.</source>
        <translation>Korvane Config ne peut pas s’en charger maintenant : %1 Réessayez quand ce sera terminé.</translation>
    </message>
    <message>
        <source>Korvane Config did not answer: %1</source>
        <translation>Korvane Config n’a pas répondu : %1</translation>
    </message>
    <message>
        <source>Korvane Config did not read the profiles again (%1); it shows the change when it is started again.</source>
        <translation>Korvane Config n’a pas relu les profils (%1) ; il affichera la modification à son prochain démarrage.</translation>
    </message>
    <message>
        <source>Korvane Config is running: load the configuration from its window (%1), or close it from its tray icon first.</source>
        <translation>Korvane Config est en cours d’exécution : chargez la configuration depuis sa fenêtre (%1), ou fermez-le d’abord depuis son icône de la zone de notification.</translation>
    </message>
    <message>
        <source>Korvane Config is running: use %1 on its %2 page, or close it from its tray icon first.</source>
        <translation>Korvane Config est en cours d’exécution : utilisez %1 sur sa page %2, ou fermez-le d’abord depuis son icône de la zone de notification.</translation>
    </message>
    <message>
        <source>links [add PROGRAM PROFILE [--focus] | remove PROGRAM]
                         the programs that give the mouse a profile while they run, or with
                         --focus while their window has focus; add replaces a program&apos;s link</source>
        <translation>links [add PROGRAM PROFILE [--focus] | remove PROGRAM]
                         les programmes qui donnent un profil à la souris tant qu’ils tournent, ou
                         avec --focus tant que leur fenêtre a le focus ; add remplace le lien d’un programme</translation>
    </message>
    <message>
        <source>No program is linked to a profile.</source>
        <translation>Aucun programme n’est lié à un profil.</translation>
    </message>
    <message>
        <source>%1  -&gt;  %2  (%3)</source>
        <translation>%1  -&gt;  %2  (%3)</translation>
    </message>
    <message>
        <source>while its window has focus</source>
        <translation>tant que sa fenêtre a le focus</translation>
    </message>
    <message>
        <source>while it runs</source>
        <translation>tant qu’il tourne</translation>
    </message>
    <message>
        <source>default profile: %1</source>
        <translation>profil par défaut : %1</translation>
    </message>
    <message>
        <source>automatic switching: on</source>
        <translation>changement automatique : activé</translation>
    </message>
    <message>
        <source>automatic switching: off</source>
        <translation>changement automatique : désactivé</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no program: give the program&apos;s file name (without &apos;/&apos;) or its absolute path.</source>
        <translation>« %1 » ne désigne aucun programme : indiquez le nom de fichier du programme (sans « / ») ou son chemin absolu.</translation>
    </message>
    <message>
        <source>There is no program at %1 yet; the link holds once it is there.</source>
        <translation>Il n’y a pas encore de programme à %1 ; le lien vaudra dès qu’il y sera.</translation>
    </message>
    <message>
        <source>This program has no link.</source>
        <translation>Ce programme n’a pas de lien.</translation>
    </message>
    <message>
        <source>The links could not be stored: the file %1 could not be written.</source>
        <translation>Les liens n’ont pas pu être enregistrés : le fichier %1 n’a pas pu être écrit.</translation>
    </message>
</context>
<context>
    <name>KorvaneService</name>
    <message>
        <source>This profile does not exist.</source>
        <translation>Ce profil n’existe pas.</translation>
    </message>
    <message>
        <source>A program is named by its file name or its whole path.</source>
        <translation>Un programme est désigné par son nom de fichier ou son chemin complet.</translation>
    </message>
    <message>
        <source>The links could not be stored in the configuration.</source>
        <translation>Les liens n’ont pas pu être enregistrés dans la configuration.</translation>
    </message>
    <message>
        <source>This program has no link.</source>
        <translation>Ce programme n’a pas de lien.</translation>
    </message>
</context>
<context>
    <name>KorvaneTray</name>
    <message>
        <source>&amp;Load Config</source>
        <translation>&amp;Charger la configuration</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Démarrer à la connexion</translation>
    </message>
    <message>
        <source>Low battery notice</source>
        <translation>Alerte de batterie faible</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivée</translation>
    </message>
    <message>
        <source>At %1%</source>
        <translation>À %1 %</translation>
    </message>
    <message>
        <source>No mouse connected</source>
        <translation>Aucune souris connectée</translation>
    </message>
    <message>
        <source>Battery %1%, charging</source>
        <translation>Batterie %1 %, en charge</translation>
    </message>
    <message>
        <source>Battery %1%</source>
        <translation>Batterie %1 %</translation>
    </message>
    <message>
        <source>Switch profiles automatically</source>
        <translation>Changer de profil automatiquement</translation>
    </message>
    <message>
        <source>Profile %1 waits until the window is free</source>
        <translation>Le profil %1 attend que la fenêtre soit libre</translation>
    </message>
</context>
<context>
    <name>KorvaneWidget</name>
    <message>
        <source>To update the firmware, please connect to the computer with a cable.</source>
        <translation>Pour mettre à jour le micrologiciel, reliez la souris à l’ordinateur avec un câble.</translation>
    </message>
    <message>
        <source>Do you want to upgrade the firmware?</source>
        <translation>Voulez-vous mettre à jour le micrologiciel ?</translation>
    </message>
    <message>
        <source>The firmware updater could not be started.</source>
        <translation>Le programme de mise à jour du micrologiciel n’a pas pu être lancé.</translation>
    </message>
    <message>
        <source>Korvane Config</source>
        <translation>Korvane Config</translation>
    </message>
    <message>
        <source>Firmware Update</source>
        <translation>Mise à jour du micrologiciel</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Dongle Disconnect!</source>
        <translation>Récepteur déconnecté !</translation>
    </message>
    <message>
        <source>The autostart entry %1 could not be changed.</source>
        <translation>L&apos;entrée de démarrage automatique %1 n&apos;a pas pu être modifiée.</translation>
    </message>
    <message>
        <source>The configuration could not be written, so the other mouse was not chosen.</source>
        <translation>La configuration n’a pas pu être écrite ; l’autre souris n’a donc pas été choisie.</translation>
    </message>
    <message>
        <source>The firmware updater is not installed: it is a program for another system. Update the firmware from a computer it runs on.</source>
        <translation>Le programme de mise à jour du micrologiciel n&apos;est pas installé : c&apos;est un programme pour un autre système. Mettez à jour le micrologiciel depuis un ordinateur sur lequel il fonctionne.</translation>
    </message>
    <message>
        <source>A write to the mouse is running.</source>
        <translation>Une écriture vers la souris est en cours.</translation>
    </message>
    <message>
        <source>A macro is being recorded.</source>
        <translation>Une macro est en cours d’enregistrement.</translation>
    </message>
    <message>
        <source>A macro is being edited.</source>
        <translation>Une macro est en cours de modification.</translation>
    </message>
    <message>
        <source>A dialog is open in Korvane Config.</source>
        <translation>Une boîte de dialogue est ouverte dans Korvane Config.</translation>
    </message>
    <message>
        <source>The choice could not be stored in the configuration.</source>
        <translation>Le choix n’a pas pu être enregistré dans la configuration.</translation>
    </message>
</context>
<context>
    <name>LinkedProgramsDialog</name>
    <message>
        <source>LINKED PROGRAMS</source>
        <translation>PROGRAMMES LIÉS</translation>
    </message>
    <message>
        <source>Linked programs</source>
        <translation>Programmes liés</translation>
    </message>
    <message>
        <source>While a linked program runs, or while its window has focus, the mouse uses the profile chosen for it.</source>
        <translation>Tant qu&apos;un programme lié s&apos;exécute, ou que sa fenêtre a le focus, la souris utilise le profil choisi pour lui.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>PROGRAM</source>
        <translation>PROGRAMME</translation>
    </message>
    <message>
        <source>PROFILE</source>
        <translation>PROFIL</translation>
    </message>
    <message>
        <source>WAY</source>
        <translation>MODE</translation>
    </message>
    <message>
        <source>No program is linked yet. Add a running program, or browse to one.</source>
        <translation>Aucun programme n&apos;est encore lié. Ajoutez un programme en cours d&apos;exécution, ou parcourez jusqu&apos;à l&apos;un d&apos;eux.</translation>
    </message>
    <message>
        <source>Add a running program</source>
        <translation>Ajouter un programme actif</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Where the desktop does not tell which window has focus, a link that follows the focus holds while its program runs.</source>
        <translation>Là où le bureau ne dit pas quelle fenêtre a le focus, un lien qui suit le focus vaut tant que son programme s&apos;exécute.</translation>
    </message>
    <message>
        <source>DEFAULT PROFILE</source>
        <translation>PROFIL PAR DÉFAUT</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>while no linked program is active</source>
        <translation>tant qu&apos;aucun programme lié n&apos;est actif</translation>
    </message>
    <message>
        <source>While its window has focus</source>
        <translation>Tant que sa fenêtre a le focus</translation>
    </message>
    <message>
        <source>While it runs</source>
        <translation>Tant qu&apos;il s&apos;exécute</translation>
    </message>
    <message>
        <source>Other programs</source>
        <translation>Autres programmes</translation>
    </message>
    <message>
        <source>No running program found</source>
        <translation>Aucun programme actif trouvé</translation>
    </message>
    <message>
        <source>Choose a program</source>
        <translation>Choisir un programme</translation>
    </message>
    <message>
        <source>Programs (*)</source>
        <translation>Programmes (*)</translation>
    </message>
    <message>
        <source>The linked programs could not be saved in %1.</source>
        <translation>Les programmes liés n&apos;ont pas pu être enregistrés dans %1.</translation>
    </message>
</context>
<context>
    <name>MacroDialog</name>
    <message>
        <source>MACRO</source>
        <translation>MACRO</translation>
    </message>
    <message>
        <source>NEW</source>
        <translation>NOUVELLE</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>SUPPRIMER</translation>
    </message>
    <message>
        <source>BATCH</source>
        <translation>LOT</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>IMPORTER</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>EXPORTER</translation>
    </message>
    <message>
        <source>GUN SET</source>
        <translation>RÉGLAGE ARME</translation>
    </message>
    <message>
        <source>MACRO NAME</source>
        <translation>NOM DE LA MACRO</translation>
    </message>
    <message>
        <source>CHANGE NAME</source>
        <translation>RENOMMER</translation>
    </message>
    <message>
        <source>ACTION</source>
        <translation>ACTION</translation>
    </message>
    <message>
        <source>DELAY(ms)</source>
        <translation>DÉLAI (ms)</translation>
    </message>
    <message>
        <source>KEY</source>
        <translation>TOUCHE</translation>
    </message>
    <message>
        <source>START</source>
        <translation>DÉMARRER</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>ARRÊTER</translation>
    </message>
    <message>
        <source>RECORD AFTER</source>
        <translation>INSÉRER APRÈS</translation>
    </message>
    <message>
        <source>RECORD DELAYS BETWEEN ACTION</source>
        <translation>ENREGISTRER LES DÉLAIS</translation>
    </message>
    <message>
        <source>INSERT DEFAULT DELAY</source>
        <translation>DÉLAI PAR DÉFAUT</translation>
    </message>
    <message>
        <source>INSERT DELAY</source>
        <translation>INSÉRER DÉLAI</translation>
    </message>
    <message>
        <source>MOUSE ACTION</source>
        <translation>ACTION SOURIS</translation>
    </message>
    <message>
        <source>MOUSE COMMAND</source>
        <translation>COMMANDE SOURIS</translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>RÉPÉTITIONS (1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>RÉPÉTER PENDANT L’APPUI</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTIL THE KEY DOWN</source>
        <translation>RÉPÉTER JUSQU’AU PROCHAIN APPUI</translation>
    </message>
    <message>
        <source>Keys and clicks are recorded only inside this window.</source>
        <translation>Les touches et les clics ne sont enregistrés que dans cette fenêtre.</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>ENREGISTRER</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>ANNULER</translation>
    </message>
    <message>
        <source>UP</source>
        <translation>MONTER</translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation>DESCENDRE</translation>
    </message>
    <message>
        <source>TOP</source>
        <translation>TOUT EN HAUT</translation>
    </message>
    <message>
        <source>BOTTOM</source>
        <translation>TOUT EN BAS</translation>
    </message>
    <message>
        <source>CLEAR</source>
        <translation>TOUT EFFACER</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>MODIFIER</translation>
    </message>
    <message>
        <source>COPY</source>
        <translation>COPIER</translation>
    </message>
    <message>
        <source>CUT</source>
        <translation>COUPER</translation>
    </message>
    <message>
        <source>PASTE</source>
        <translation>COLLER</translation>
    </message>
    <message>
        <source>Load Macro File</source>
        <translation>Charger un fichier de macro</translation>
    </message>
    <message>
        <source>Macro File(*.MSMACRO)</source>
        <translation>Fichier de macro (*.MSMACRO)</translation>
    </message>
    <message>
        <source>Save Macro File</source>
        <translation>Enregistrer le fichier de macro</translation>
    </message>
    <message>
        <source>MOUSE</source>
        <translation>SOURIS</translation>
    </message>
    <message>
        <source>DISTANCE</source>
        <translation>DISTANCE</translation>
    </message>
    <message>
        <source>DELAY</source>
        <translation>DÉLAI</translation>
    </message>
    <message>
        <source>ONE OR MORE KEYS HAS NOT BEEN RELEASED.</source>
        <translation>UNE OU PLUSIEURS TOUCHES N’ONT PAS ÉTÉ RELÂCHÉES.</translation>
    </message>
    <message>
        <source>MOVEMENT</source>
        <translation>MOUVEMENT</translation>
    </message>
    <message>
        <source>Buttons play the macro &quot;%1&quot; in these profiles: %2. Delete it, and give those buttons their default functions?</source>
        <translation>Des boutons jouent la macro « %1 » dans ces profils : %2. La supprimer et rendre à ces boutons leur fonction par défaut ?</translation>
    </message>
</context>
<context>
    <name>MacroList</name>
    <message>
        <source>TOO MANY MACROS TO BE CREATE!</source>
        <translation>IMPOSSIBLE DE CRÉER DAVANTAGE DE MACROS !</translation>
    </message>
    <message>
        <source>Macro Exist!</source>
        <translation>Cette macro existe déjà !</translation>
    </message>
    <message>
        <source>This name cannot be used for a macro.</source>
        <translation>Ce nom ne peut pas être utilisé pour une macro.</translation>
    </message>
    <message>
        <source>The macro file was not found.</source>
        <translation>Le fichier de macro est introuvable.</translation>
    </message>
    <message>
        <source>The macro file could not be written.</source>
        <translation>Le fichier de macro n’a pas pu être écrit.</translation>
    </message>
    <message>
        <source>This file is not a macro file.</source>
        <translation>Ce fichier n’est pas un fichier de macro.</translation>
    </message>
    <message>
        <source>This macro file claims more steps than a macro can hold.</source>
        <translation>Ce fichier de macro annonce plus d’étapes qu’une macro ne peut en contenir.</translation>
    </message>
    <message>
        <source>Not every profile whose buttons use this macro could be saved.</source>
        <translation>Tous les profils dont les boutons utilisent cette macro n’ont pas pu être enregistrés.</translation>
    </message>
</context>
<context>
    <name>MouseNotices</name>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>The mouse is back, but the last settings did not reach it. Send the current profile again?</source>
        <translation>La souris est de retour, mais les derniers réglages ne l&apos;ont pas atteinte. Renvoyer le profil actuel ?</translation>
    </message>
    <message>
        <source>Send again</source>
        <translation>Renvoyer</translation>
    </message>
    <message>
        <source>Mouse battery low</source>
        <translation>Batterie de la souris faible</translation>
    </message>
    <message>
        <source>%1 has %2% battery left. Connect the cable to charge it.</source>
        <translation>Il reste %2 % de batterie à %1. Branchez le câble pour la recharger.</translation>
    </message>
    <message>
        <source>Profile: %1</source>
        <translation>Profil : %1</translation>
    </message>
</context>
<context>
    <name>MouseView</name>
    <message>
        <source>Front</source>
        <translation>Dessus</translation>
    </message>
    <message>
        <source>Side</source>
        <translation>Côté</translation>
    </message>
</context>
<context>
    <name>PageTabs</name>
    <message>
        <source>LIGHTING</source>
        <translation>ÉCLAIRAGE</translation>
    </message>
    <message>
        <source>CUSTOMIZE</source>
        <translation>BOUTONS</translation>
    </message>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>MACRO</source>
        <translation>MACRO</translation>
    </message>
</context>
<context>
    <name>ProfileBar</name>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NOM</translation>
    </message>
    <message>
        <source>Press Enter To Apply</source>
        <translation>Appuyez sur Entrée pour appliquer</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>AJOUTER</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>SUPPRIMER</translation>
    </message>
    <message>
        <source>COPY</source>
        <translation>COPIER</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>RÉINITIALISER</translation>
    </message>
    <message>
        <source>Save Profile File</source>
        <translation>Enregistrer le fichier de profil</translation>
    </message>
    <message>
        <source>Load Profile File</source>
        <translation>Charger un fichier de profil</translation>
    </message>
    <message>
        <source>Are you sure you want delete this profile?</source>
        <translation>Voulez-vous vraiment supprimer ce profil ?</translation>
    </message>
    <message>
        <source>Are you sure you want reset this profile?</source>
        <translation>Voulez-vous vraiment réinitialiser ce profil ?</translation>
    </message>
    <message>
        <source>Are you sure you want reset all profiles?</source>
        <translation>Voulez-vous vraiment réinitialiser tous les profils ?</translation>
    </message>
    <message>
        <source>Profile File(*.prof)</source>
        <translation>Fichier de profil (*.prof)</translation>
    </message>
    <message>
        <source>Load Config File</source>
        <translation>Charger un fichier de configuration</translation>
    </message>
    <message>
        <source>Config File(*.conf)</source>
        <translation>Fichier de configuration (*.conf)</translation>
    </message>
    <message>
        <source>Save Config File</source>
        <translation>Enregistrer le fichier de configuration</translation>
    </message>
    <message>
        <source>Linked programs</source>
        <translation>Programmes liés</translation>
    </message>
    <message>
        <source>These programs were linked to the deleted profile and are no longer: %1.</source>
        <translation>Ces programmes étaient liés au profil supprimé et ne le sont plus : %1.</translation>
    </message>
</context>
<context>
    <name>ProfileList</name>
    <message>
        <source>Profile is Already Used!</source>
        <translation>Ce profil est déjà utilisé !</translation>
    </message>
    <message>
        <source>The default Profile cannot be deleted or renamed.</source>
        <translation>Le profil par défaut ne peut être ni supprimé ni renommé.</translation>
    </message>
    <message>
        <source>Profile Exist!</source>
        <translation>Ce profil existe déjà !</translation>
    </message>
    <message>
        <source>AT LEAST ONE PROFILE TO BE RETAINED.</source>
        <translation>AU MOINS UN PROFIL DOIT ÊTRE CONSERVÉ.</translation>
    </message>
    <message>
        <source>The file is not match current mouse!</source>
        <translation>Ce fichier ne correspond pas à la souris actuelle !</translation>
    </message>
    <message>
        <source>This name cannot be used for a profile.</source>
        <translation>Ce nom ne peut pas être utilisé pour un profil.</translation>
    </message>
    <message>
        <source>The profile file was not found.</source>
        <translation>Le fichier de profil est introuvable.</translation>
    </message>
    <message>
        <source>The profile file could not be found.</source>
        <translation>Le fichier de profil est introuvable.</translation>
    </message>
    <message>
        <source>The profile file could not be written.</source>
        <translation>Le fichier de profil n’a pas pu être écrit.</translation>
    </message>
    <message>
        <source>The file %1 is incomplete or damaged: it holds no whole profile.</source>
        <translation>Le fichier %1 est incomplet ou endommagé : il ne contient aucun profil complet.</translation>
    </message>
    <message>
        <source>The file %1 is a link to a place outside the configuration folder; it was not written.</source>
        <translation>Le fichier %1 est un lien vers un emplacement hors du dossier de configuration ; il n’a pas été écrit.</translation>
    </message>
</context>
<context>
    <name>ResultCode</name>
    <message>
        <source>Mouse is sleeping or not connected.</source>
        <translation>La souris est en veille ou n’est pas connectée.</translation>
    </message>
    <message>
        <source>At most 12 different macros fit in the mouse.</source>
        <translation>La souris ne contient pas plus de 12 macros différentes.</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation>L’envoi a échoué, veuillez réessayer.</translation>
    </message>
    <message>
        <source>The profile could not be saved to its file, so this change is gone at the next start. The mouse was written with it.</source>
        <translation>Le profil n’a pas pu être enregistré dans son fichier ; cette modification sera perdue au prochain démarrage. La souris a tout de même été programmée.</translation>
    </message>
    <message>
        <source>The profile could not be saved to its file, so this change is gone at the next start. The mouse was not written either: %1</source>
        <translation>Le profil n’a pas pu être enregistré dans son fichier ; cette modification sera perdue au prochain démarrage. La souris n’a pas été programmée non plus : %1</translation>
    </message>
    <message>
        <source>A button&apos;s macro is missing: give that button another macro or function, then apply again.</source>
        <translation>La macro d’un bouton est introuvable : donnez à ce bouton une autre macro ou une autre fonction, puis appliquez à nouveau.</translation>
    </message>
    <message>
        <source>The profile was not read whole from its file, or no button gives the left click: nothing was sent.</source>
        <translation>Le profil n’a pas été lu en entier depuis son fichier, ou aucun bouton ne donne le clic gauche : rien n’a été envoyé.</translation>
    </message>
</context>
<context>
    <name>StatusRow</name>
    <message>
        <source>Reset All</source>
        <translation>Tout réinitialiser</translation>
    </message>
    <message>
        <source>LOAD1</source>
        <translation>CHARGER</translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation>ENREGISTRER</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>MOUSE OFF</source>
        <translation>SOURIS ÉTEINTE</translation>
    </message>
    <message>
        <source>Mouse description version %1
Korvane Config %2</source>
        <translation>Version de la description de la souris %1
Korvane Config %2</translation>
    </message>
</context>
<context>
    <name>TrayNotifier</name>
    <message>
        <source>Click here: %1</source>
        <translation>Cliquez ici : %1</translation>
    </message>
</context>
<context>
    <name>VelBtnWindow</name>
    <message>
        <source>Left</source>
        <translation>Clic gauche</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Clic droit</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Clic milieu</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nouveau</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Switch Window</source>
        <translation>Changer de fenêtre</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Fermer la fenêtre</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Poste de travail</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Exécuter</translation>
    </message>
    <message>
        <source>Show Desktop</source>
        <translation>Afficher le bureau</translation>
    </message>
    <message>
        <source>Lock PC</source>
        <translation>Verrouiller le PC</translation>
    </message>
    <message>
        <source>Browser Home</source>
        <translation>Navigateur : accueil</translation>
    </message>
    <message>
        <source>Browser Backward</source>
        <translation>Navigateur : page précédente</translation>
    </message>
    <message>
        <source>Browser Forward</source>
        <translation>Navigateur : page suivante</translation>
    </message>
    <message>
        <source>Browser Stop</source>
        <translation>Navigateur : arrêter</translation>
    </message>
    <message>
        <source>Browser Refresh</source>
        <translation>Navigateur : actualiser</translation>
    </message>
    <message>
        <source>Browser Search</source>
        <translation>Navigateur : rechercher</translation>
    </message>
    <message>
        <source>Browser Favorite</source>
        <translation>Navigateur : favoris</translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>Messagerie</translation>
    </message>
    <message>
        <source>SINGLE KEY</source>
        <translation>TOUCHE SIMPLE</translation>
    </message>
    <message>
        <source>COMBO KEY</source>
        <translation>COMBINAISON</translation>
    </message>
    <message>
        <source>FIRE KEY</source>
        <translation>TIR RAPIDE</translation>
    </message>
    <message>
        <source>Play/Pause</source>
        <translation>Lecture/Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Previous Track</source>
        <translation>Piste précédente</translation>
    </message>
    <message>
        <source>Next Track</source>
        <translation>Piste suivante</translation>
    </message>
    <message>
        <source>Volume Up</source>
        <translation>Volume +</translation>
    </message>
    <message>
        <source>Volume Down</source>
        <translation>Volume -</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Muet</translation>
    </message>
    <message>
        <source>Media Player</source>
        <translation>Lecteur multimédia</translation>
    </message>
    <message>
        <source>DPI Switch</source>
        <translation>Changer de DPI</translation>
    </message>
    <message>
        <source>DPI +</source>
        <translation>DPI +</translation>
    </message>
    <message>
        <source>DPI -</source>
        <translation>DPI -</translation>
    </message>
    <message>
        <source>Macro Manager</source>
        <translation>Gestion des macros</translation>
    </message>
    <message>
        <source>Button Off</source>
        <translation>Bouton désactivé</translation>
    </message>
    <message>
        <source>Scroll Up</source>
        <translation>Défiler vers le haut</translation>
    </message>
    <message>
        <source>Scroll Down</source>
        <translation>Défiler vers le bas</translation>
    </message>
    <message>
        <source>Profile Switch</source>
        <translation>Changer de profil</translation>
    </message>
    <message>
        <source>Profile +</source>
        <translation>Profil +</translation>
    </message>
    <message>
        <source>Profile -</source>
        <translation>Profil -</translation>
    </message>
    <message>
        <source>Rate Switch</source>
        <translation>Changer de fréquence</translation>
    </message>
    <message>
        <source>Rate +</source>
        <translation>Fréquence +</translation>
    </message>
    <message>
        <source>Rate -</source>
        <translation>Fréquence -</translation>
    </message>
    <message>
        <source>Led Switch</source>
        <translation>Éclairage marche/arrêt</translation>
    </message>
    <message>
        <source>SNIPER</source>
        <translation>SNIPER</translation>
    </message>
    <message>
        <source>Boss Key</source>
        <translation>Touche patron</translation>
    </message>
    <message>
        <source>GunFile Manager</source>
        <translation>Fichiers d’arme</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>Basique</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>Avancé</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Multimédia</translation>
    </message>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>Profile Menu</source>
        <translation>Profils</translation>
    </message>
    <message>
        <source>Polling Rate</source>
        <translation>Fréquence de rapport</translation>
    </message>
    <message>
        <source>AT LEAST ONE CLICK FUNCTION TO BE RETAINED.</source>
        <translation>AU MOINS UNE FONCTION DE CLIC DOIT ÊTRE CONSERVÉE.</translation>
    </message>
    <message>
        <source>Left Button Can not be Gun Function.</source>
        <translation>Le bouton gauche ne peut pas recevoir de fonction d’arme.</translation>
    </message>
</context>
<context>
    <name>VelColorArea</name>
    <message>
        <source>COLOR</source>
        <translation>COULEUR</translation>
    </message>
    <message>
        <source>H </source>
        <translation>H </translation>
    </message>
    <message>
        <source>S </source>
        <translation>S </translation>
    </message>
    <message>
        <source>V </source>
        <translation>V </translation>
    </message>
    <message>
        <source>R </source>
        <translation>R </translation>
    </message>
    <message>
        <source>G </source>
        <translation>G </translation>
    </message>
    <message>
        <source>B </source>
        <translation>B </translation>
    </message>
    <message>
        <source>No</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>VelColorWindow</name>
    <message>
        <source>OFF</source>
        <translation>ÉTEINT</translation>
    </message>
    <message>
        <source>FULL LIGHTED</source>
        <translation>LUMIÈRE FIXE</translation>
    </message>
    <message>
        <source>BREATHING</source>
        <translation>RESPIRATION</translation>
    </message>
    <message>
        <source>7 COLOR BREATHING</source>
        <translation>RESPIRATION 7 COULEURS</translation>
    </message>
    <message>
        <source>RAINBOW</source>
        <translation>ARC-EN-CIEL</translation>
    </message>
    <message>
        <source>FLASH</source>
        <translation>CLIGNOTEMENT</translation>
    </message>
    <message>
        <source>Horizontal WAVE</source>
        <translation>Vague horizontale</translation>
    </message>
    <message>
        <source>Horizontal GO WITHOUT TRACE</source>
        <translation>Défilement horizontal sans traînée</translation>
    </message>
    <message>
        <source>Raindrop</source>
        <translation>Gouttes de pluie</translation>
    </message>
    <message>
        <source>WAVE</source>
        <translation>VAGUE</translation>
    </message>
    <message>
        <source>GO WITHOUT TRACE</source>
        <translation>DÉFILEMENT SANS TRAÎNÉE</translation>
    </message>
    <message>
        <source>REACTIVE</source>
        <translation>RÉACTIF</translation>
    </message>
    <message>
        <source>yo-yo</source>
        <translation>yo-yo</translation>
    </message>
    <message>
        <source>Marbles</source>
        <translation>Billes</translation>
    </message>
    <message>
        <source>EFFECT</source>
        <translation>EFFET</translation>
    </message>
    <message>
        <source>BRIGHTNESS</source>
        <translation>LUMINOSITÉ</translation>
    </message>
    <message>
        <source>SPEED</source>
        <translation>VITESSE</translation>
    </message>
    <message>
        <source>COLOR</source>
        <translation>COULEUR</translation>
    </message>
    <message>
        <source>SLEEP TIME</source>
        <translation>MISE EN VEILLE</translation>
    </message>
    <message>
        <source>MOVE TO LIGHT OFF</source>
        <translation>ÉTEINDRE EN MOUVEMENT</translation>
    </message>
    <message>
        <source> MINUTE</source>
        <translation> MIN</translation>
    </message>
</context>
<context>
    <name>VelComboKeyWindow</name>
    <message>
        <source>Shift</source>
        <translation>Maj</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Win</source>
        <translation>Win</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Key:</source>
        <translation>Touche :</translation>
    </message>
</context>
<context>
    <name>VelDPIWindow</name>
    <message>
        <source>SLEEP TIME</source>
        <translation>MISE EN VEILLE</translation>
    </message>
    <message>
        <source>MOVE TO LIGHT OFF</source>
        <translation>ÉTEINDRE EN MOUVEMENT</translation>
    </message>
    <message>
        <source> MINUTE</source>
        <translation> MIN</translation>
    </message>
    <message>
        <source>On this desktop the pointer speed is set in its own mouse settings (Mouse Setting).</source>
        <translation>Ici, la vitesse du pointeur se règle dans les paramètres de souris du bureau.</translation>
    </message>
</context>
<context>
    <name>VelFireKeyWindow</name>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droit</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Milieu</translation>
    </message>
    <message>
        <source>Keyboard Key</source>
        <translation>Touche du clavier</translation>
    </message>
    <message>
        <source>Times:</source>
        <translation>Nombre :</translation>
    </message>
    <message>
        <source>Delay:</source>
        <translation>Délai :</translation>
    </message>
</context>
<context>
    <name>VelGunsetDialog</name>
    <message>
        <source>GUN SET</source>
        <translation>RÉGLAGE ARME</translation>
    </message>
    <message>
        <source>Gun Set</source>
        <translation>Réglage arme</translation>
    </message>
    <message>
        <source>GUNFILE NAME</source>
        <translation>FICHIER D’ARME</translation>
    </message>
    <message>
        <source>DELAY(MS)</source>
        <translation>DÉLAI (MS)</translation>
    </message>
    <message>
        <source>VERTICAL</source>
        <translation>VERTICAL</translation>
    </message>
    <message>
        <source>HORIZONTAL</source>
        <translation>HORIZONTAL</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>BULLETS</source>
        <translation>BALLES</translation>
    </message>
    <message>
        <source>Time to the next shot, in milliseconds</source>
        <translation>Temps jusqu’au tir suivant, en millisecondes</translation>
    </message>
    <message>
        <source>How far the pointer is pulled after the shot: down, or up when negative</source>
        <translation>Déplacement du pointeur après le tir : vers le bas, ou vers le haut si la valeur est négative</translation>
    </message>
    <message>
        <source>How far the pointer is pulled after the shot: right, or left when negative</source>
        <translation>Déplacement du pointeur après le tir : vers la droite, ou vers la gauche si la valeur est négative</translation>
    </message>
    <message>
        <source>Please input file name.</source>
        <translation>Veuillez saisir un nom de fichier.</translation>
    </message>
</context>
<context>
    <name>VelKeyDialog</name>
    <message>
        <source>No</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>VelMacroItemDelegate</name>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>Press</source>
        <translation>Appui</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>Relâchement</translation>
    </message>
    <message>
        <source>DELAY</source>
        <translation>DÉLAI</translation>
    </message>
</context>
<context>
    <name>VelMacroSelect</name>
    <message>
        <source>GUNFILE SELECT</source>
        <translation>CHOIX DU FICHIER D’ARME</translation>
    </message>
    <message>
        <source>MACRO SELECT</source>
        <translation>CHOIX DE LA MACRO</translation>
    </message>
    <message>
        <source>LOOPS TIME(1-255)</source>
        <translation>RÉPÉTITIONS (1-255)</translation>
    </message>
    <message>
        <source>REPEAT RUN WHEN KEY DOWN</source>
        <translation>RÉPÉTER PENDANT L’APPUI</translation>
    </message>
    <message>
        <source>REPEAT RUN UNTIL THE KEY DOWN</source>
        <translation>RÉPÉTER JUSQU’AU PROCHAIN APPUI</translation>
    </message>
</context>
<context>
    <name>VelMessageBox</name>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
</context>
<context>
    <name>VelPointSpeed</name>
    <message>
        <source>Key Response</source>
        <translation>Réactivité des boutons</translation>
    </message>
    <message>
        <source>Enable sync</source>
        <translation>Activer la synchro</translation>
    </message>
    <message>
        <source>Lift Distance</source>
        <translation>Distance de levée</translation>
    </message>
    <message>
        <source>1mm</source>
        <translation>1 mm</translation>
    </message>
    <message>
        <source>2mm</source>
        <translation>2 mm</translation>
    </message>
    <message>
        <source>Angle Snapping</source>
        <translation>Correction d’angle</translation>
    </message>
    <message>
        <source>Jitter</source>
        <translation>Anti-tremblement</translation>
    </message>
    <message>
        <source>Motion Wake</source>
        <translation>Réveil par mouvement</translation>
    </message>
    <message>
        <source>Sensor Mode</source>
        <translation>Mode du capteur</translation>
    </message>
    <message>
        <source>Eco</source>
        <translation>Éco</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Competitive</source>
        <translation>Compétition</translation>
    </message>
    <message>
        <source>Scroll Speed</source>
        <translation>Défilement</translation>
    </message>
    <message>
        <source>Mouse Setting</source>
        <translation>Paramètres de la souris</translation>
    </message>
    <message>
        <source>No mouse settings program was found on this desktop.</source>
        <translation>Aucun programme de réglage de la souris n’a été trouvé sur ce bureau.</translation>
    </message>
</context>
<context>
    <name>VelProcessbar</name>
    <message>
        <source>MOUSE OFF</source>
        <translation>SOURIS ÉTEINTE</translation>
    </message>
</context>
<context>
    <name>VelReportRate</name>
    <message>
        <source>125 HZ</source>
        <translation>125 Hz</translation>
    </message>
    <message>
        <source>250 HZ</source>
        <translation>250 Hz</translation>
    </message>
    <message>
        <source>500 HZ</source>
        <translation>500 Hz</translation>
    </message>
    <message>
        <source>1000 HZ</source>
        <translation>1000 Hz</translation>
    </message>
    <message>
        <source>REPORT RATE</source>
        <translation>FRÉQUENCE DE RAPPORT</translation>
    </message>
    <message>
        <source>Lift off Distance</source>
        <translation>Distance de levée</translation>
    </message>
    <message>
        <source>1 mm</source>
        <translation>1 mm</translation>
    </message>
    <message>
        <source>2 mm</source>
        <translation>2 mm</translation>
    </message>
</context>
<context>
    <name>VelSingleDPI</name>
    <message>
        <source>Link XY</source>
        <translation>Lier X et Y</translation>
    </message>
    <message>
        <source>DPI : %1</source>
        <translation>DPI : %1</translation>
    </message>
    <message>
        <source>X:%1</source>
        <translation>X : %1</translation>
    </message>
    <message>
        <source>Y:%1</source>
        <translation>Y : %1</translation>
    </message>
</context>
<context>
    <name>VelSingleKeyWindow</name>
    <message>
        <source>Press the key the button sends.</source>
        <translation>Appuyez sur la touche que le bouton doit envoyer.</translation>
    </message>
</context>
<context>
    <name>VelSkinDialog</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>VelSniperWindow</name>
    <message>
        <source>DPI while the button is held:</source>
        <translation>DPI tant que le bouton est maintenu :</translation>
    </message>
</context>
<context>
    <name>VelTreeWidget</name>
    <message>
        <source>LEFT CLICK</source>
        <translation>CLIC GAUCHE</translation>
    </message>
    <message>
        <source>MIDDLE CLICK</source>
        <translation>CLIC MILIEU</translation>
    </message>
    <message>
        <source>RIGHT CLICK</source>
        <translation>CLIC DROIT</translation>
    </message>
    <message>
        <source>FORWARD</source>
        <translation>SUIVANT</translation>
    </message>
    <message>
        <source>BACKWARD</source>
        <translation>PRÉCÉDENT</translation>
    </message>
    <message>
        <source>PRESS DOWN</source>
        <translation>APPUYER</translation>
    </message>
    <message>
        <source>BOUNCE UP</source>
        <translation>RELÂCHER</translation>
    </message>
    <message>
        <source>MOVE LEFT</source>
        <translation>DÉPLACER À GAUCHE</translation>
    </message>
    <message>
        <source>MOVE RIGHT</source>
        <translation>DÉPLACER À DROITE</translation>
    </message>
    <message>
        <source>MOVE UP</source>
        <translation>DÉPLACER EN HAUT</translation>
    </message>
    <message>
        <source>MOVE DOWN</source>
        <translation>DÉPLACER EN BAS</translation>
    </message>
</context>
<context>
    <name>battery</name>
    <message>
        <source>125 HZ</source>
        <translation>125 Hz</translation>
    </message>
    <message>
        <source>250 HZ</source>
        <translation>250 Hz</translation>
    </message>
    <message>
        <source>500 HZ</source>
        <translation>500 Hz</translation>
    </message>
    <message>
        <source>1000 HZ</source>
        <translation>1000 Hz</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 (process %2) is using the mouse and the profiles; start Korvane Config again when it has ended.</source>
        <translation>%1 (processus %2) utilise la souris et les profils ; relancez Korvane Config quand il sera terminé.</translation>
    </message>
    <message>
        <source>Korvane Config is not on the session bus; korvanectl cannot reach it.</source>
        <translation>Korvane Config n’est pas sur le bus de session ; korvanectl ne peut pas le joindre.</translation>
    </message>
</context>
</TS>
